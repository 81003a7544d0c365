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
# The staged log names files under the staging folder; this rewrites them to where the
# package puts them.
set(CPACK_PRE_BUILD_SCRIPTS "${CMAKE_CURRENT_SOURCE_DIR}/FixPackagedLog.cmake")
set(MNEMEX_CPACK_UNINSTALL_DIR "${MNEMEX_UNINSTALL_DIR}")
include(CPack)
