# What every installation carries beside the programs, in the places and forms Debian expects:
# share/doc/mnemex/changelog.gz (Debian's changelog form of CHANGELOG.md), share/doc/mnemex/
# copyright (Debian's machine-readable form) and the manual pages in share/man/man1. Compressed
# files are made with gzip -9n, which stores neither a name nor a time, so that the same sources
# always give the same package.

include("${CMAKE_CURRENT_LIST_DIR}/DebianChangelog.cmake")

find_program(MNEMEX_GZIP gzip REQUIRED)
find_program(MNEMEX_HELP2MAN help2man)

set(_mnemex_docdir "${CMAKE_INSTALL_DATADIR}/doc/mnemex")
set(_mnemex_man1dir "${CMAKE_INSTALL_MANDIR}/man1")
set(_mnemex_out "${CMAKE_CURRENT_BINARY_DIR}")
set(_mnemex_documents)

# The changelog's newest release is the version being packaged, and its date dates the manual
# pages (instead of the day of the build).
set(_mnemex_changelog_md "${PROJECT_SOURCE_DIR}/CHANGELOG.md")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${_mnemex_changelog_md}")
mnemex_read_changelog("${_mnemex_changelog_md}" mnemex "${MNEMEX_PACKAGE_MAINTAINER}")
if(NOT MNEMEX_NEWEST_VERSION STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "CHANGELOG.md's newest release is ${MNEMEX_NEWEST_VERSION}, the project "
                      "is ${PROJECT_VERSION}: add the release's entry to CHANGELOG.md")
endif()
set(MNEMEX_RELEASE_DATE "${MNEMEX_NEWEST_DATE}")

add_custom_command(
  OUTPUT "${_mnemex_out}/changelog.gz"
  COMMAND "${CMAKE_COMMAND}" "-DMNEMEX_CHANGELOG_MD=${_mnemex_changelog_md}"
          "-DMNEMEX_CHANGELOG_OUT=${_mnemex_out}/changelog" -DMNEMEX_PACKAGE=mnemex
          "-DMNEMEX_MAINTAINER=${MNEMEX_PACKAGE_MAINTAINER}"
          -P "${CMAKE_CURRENT_SOURCE_DIR}/DebianChangelog.cmake"
  COMMAND "${MNEMEX_GZIP}" -9nkf "${_mnemex_out}/changelog"
  DEPENDS "${_mnemex_changelog_md}" DebianChangelog.cmake MnemexWrap.cmake
  COMMENT "Writing the Debian changelog from CHANGELOG.md"
  VERBATIM)
list(APPEND _mnemex_documents "${_mnemex_out}/changelog.gz")

# The copyright file names the licences of the code from other projects that is compiled
# into the programs and the Python module: Eigen in everything that links the core, pybind11
# in the module. Its Files fields match the installed paths under any prefix.
set(MNEMEX_EIGEN_FILES "*/bin/mnemex-batch")
if(TARGET Mnemex)
  string(APPEND MNEMEX_EIGEN_FILES " */bin/Mnemex")
endif()
set(_mnemex_copyright_parts copyright.in)
if(TARGET mnemex_python)
  set(MNEMEX_PYTHON_MODULE_FILES "*/mnemex.*.so")
  list(APPEND _mnemex_copyright_parts copyright-python-module.in)
endif()
list(APPEND _mnemex_copyright_parts license-MPL-2.0)
if(TARGET mnemex_python)
  list(APPEND _mnemex_copyright_parts license-BSD-3-Clause)
endif()
list(TRANSFORM _mnemex_copyright_parts PREPEND "${CMAKE_CURRENT_SOURCE_DIR}/debian/")
set(MNEMEX_COPYRIGHT_TEXT "")
foreach(_mnemex_part IN LISTS _mnemex_copyright_parts)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${_mnemex_part}")
  file(READ "${_mnemex_part}" _mnemex_text)
  string(CONFIGURE "${_mnemex_text}" _mnemex_text @ONLY)
  string(APPEND MNEMEX_COPYRIGHT_TEXT "${_mnemex_text}")
endforeach()
# Written only when it changes, so a new configuration does not install it again.
file(CONFIGURE OUTPUT "${_mnemex_out}/copyright" CONTENT "@MNEMEX_COPYRIGHT_TEXT@" @ONLY)
install(FILES "${_mnemex_out}/changelog.gz" "${_mnemex_out}/copyright"
        DESTINATION "${_mnemex_docdir}")

# Manual pages: mnemex-batch's from its own --help, so that the two never disagree; the
# desktop programs', which have no command line to speak of, written by hand.
function(mnemex_gzip_man_page page)
  add_custom_command(
    OUTPUT "${_mnemex_out}/${page}.gz"
    COMMAND "${MNEMEX_GZIP}" -9nkf "${_mnemex_out}/${page}"
    DEPENDS "${_mnemex_out}/${page}"
    VERBATIM)
  set(_mnemex_documents ${_mnemex_documents} "${_mnemex_out}/${page}.gz" PARENT_SCOPE)
  install(FILES "${_mnemex_out}/${page}.gz" DESTINATION "${_mnemex_man1dir}")
endfunction()

# The page runs the built program, so not where it cannot run here (cross builds) nor in the
# sanitizer trees, which are never packaged and whose programs may fail their own checks.
if(MNEMEX_HELP2MAN AND NOT CMAKE_CROSSCOMPILING AND NOT MNEMEX_SANITIZE AND NOT MNEMEX_TSAN)
  add_custom_command(
    OUTPUT "${_mnemex_out}/mnemex-batch.1"
    COMMAND "${CMAKE_COMMAND}" -E env "SOURCE_DATE_EPOCH=${MNEMEX_NEWEST_EPOCH}" LC_ALL=C.UTF-8
            "${MNEMEX_HELP2MAN}" --no-info --section=1 "--version-string=${PROJECT_VERSION}"
            "--name=train a distributed associative memory without a display"
            "--include=${CMAKE_CURRENT_SOURCE_DIR}/man/mnemex-batch.h2m"
            "--output=${_mnemex_out}/mnemex-batch.1" "$<TARGET_FILE:mnemex-batch>"
    DEPENDS mnemex-batch man/mnemex-batch.h2m
    COMMENT "Writing the manual page of mnemex-batch from its --help"
    VERBATIM)
  mnemex_gzip_man_page(mnemex-batch.1)
else()
  message(STATUS "Manual page mnemex-batch.1: not made (needs help2man, a native build and "
                 "no sanitizer)")
endif()

if(TARGET Mnemex)
  configure_file(man/Mnemex.1.in "${_mnemex_out}/Mnemex.1" @ONLY)
  mnemex_gzip_man_page(Mnemex.1)
endif()
if(TARGET uninstall-Mnemex)
  configure_file(man/uninstall-Mnemex.1.in "${_mnemex_out}/uninstall-Mnemex.1" @ONLY)
  mnemex_gzip_man_page(uninstall-Mnemex.1)
endif()

add_custom_target(mnemex_documents ALL DEPENDS ${_mnemex_documents})
