# `cpack -G DEB` in the build folder makes a Debian package of the same installation.
set(CPACK_PACKAGE_NAME "mnemex")
set(CPACK_PACKAGE_VENDOR "Mnemex developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_CONTACT "mnemex-maintainers@lists.mnemex.org")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_GENERATOR "DEB")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "science")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The Python module is built for one Python version and works on NumPy arrays; the programs
# need neither, so the package only recommends them (python/ says which).
get_property(_mnemex_python_recommends GLOBAL PROPERTY MNEMEX_PYTHON_RECOMMENDS)
if(_mnemex_python_recommends)
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "${_mnemex_python_recommends}")
endif()
set(CPACK_STRIP_FILES ON)
# CPack stages the installation under DESTDIR; the packaged log must name the files where the
# package puts them, without the staging folder.
set(CPACK_CUSTOM_INSTALL_VARIABLES "MNEMEX_LOG_WITHOUT_DESTDIR=1")
include(CPack)
