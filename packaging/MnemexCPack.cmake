# `cpack -G DEB` in the build folder makes a Debian package of the same installation.
set(CPACK_PACKAGE_NAME "mnemex")
set(CPACK_PACKAGE_VENDOR "Mnemex developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_CONTACT "${MNEMEX_PACKAGE_MAINTAINER}")
# The extended description is the README's first paragraph, so the two say the same.
include("${CMAKE_CURRENT_LIST_DIR}/MnemexWrap.cmake")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/README.md")
file(READ "${PROJECT_SOURCE_DIR}/README.md" _mnemex_readme)
if(NOT _mnemex_readme MATCHES "^# [^\n]*\n+(([^\n]+\n)+)")
  message(FATAL_ERROR "README.md must start with a heading and a paragraph: the package "
                      "description is made from them")
endif()
mnemex_wrap_text(CPACK_PACKAGE_DESCRIPTION "${CMAKE_MATCH_1}" 72 "" "")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_GENERATOR "DEB")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "science")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The Python module is built for one Python version and works on NumPy arrays; the programs
# need neither, so the package only recommends them (python/ says which), whenever the module
# is in the package.
set(_mnemex_recommends)
if(TARGET mnemex_python)
  get_property(_mnemex_python_recommends GLOBAL PROPERTY MNEMEX_PYTHON_RECOMMENDS)
  if(NOT _mnemex_python_recommends)
    set(_mnemex_python_recommends "python3, python3-numpy")
  endif()
  list(APPEND _mnemex_recommends "${_mnemex_python_recommends}")
endif()
# Mnemex opens its spreadsheet summaries with xdg-open; without it that one step fails.
if(TARGET Mnemex)
  list(APPEND _mnemex_recommends "xdg-utils")
endif()
if(_mnemex_recommends)
  list(JOIN _mnemex_recommends ", " CPACK_DEBIAN_PACKAGE_RECOMMENDS)
endif()
set(CPACK_STRIP_FILES ON)
# CPack stages the installation under DESTDIR; the packaged log must name the files where the
# package puts them, without the staging folder.
set(CPACK_CUSTOM_INSTALL_VARIABLES "MNEMEX_LOG_WITHOUT_DESTDIR=1")
include(CPack)
