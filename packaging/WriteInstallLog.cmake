# Runs at install time, after every other install rule: writes ST6UNST.LOG into the
# uninstaller's folder, listing every file this installation wrote (the log included) by its
# absolute path where it was actually written: under the prefix, DESTDIR included. A package
# built by CPack sets MNEMEX_LOG_WITHOUT_DESTDIR, because there DESTDIR is only its staging folder.

if(MNEMEX_LOG_WITHOUT_DESTDIR)
  set(_mnemex_root "")
else()
  set(_mnemex_root "$ENV{DESTDIR}")
endif()
get_filename_component(_mnemex_prefix "${CMAKE_INSTALL_PREFIX}" ABSOLUTE)
set(_mnemex_log_entry "${_mnemex_prefix}/${MNEMEX_UNINSTALL_DIR}/ST6UNST.LOG")

# The manifest names files without DESTDIR, as CMake records them.
set(_mnemex_files ${CMAKE_INSTALL_MANIFEST_FILES})
list(APPEND _mnemex_files "${_mnemex_log_entry}")
list(REMOVE_DUPLICATES _mnemex_files)

set(_mnemex_text "# Mnemex installation log\n")
foreach(_mnemex_file IN LISTS _mnemex_files)
  get_filename_component(_mnemex_file "${_mnemex_file}" ABSOLUTE)
  string(APPEND _mnemex_text "${_mnemex_root}${_mnemex_file}\n")
endforeach()

set(_mnemex_log "$ENV{DESTDIR}${_mnemex_log_entry}")
message(STATUS "Installing: ${_mnemex_log}")
file(WRITE "${_mnemex_log}" "${_mnemex_text}")
# So that install_manifest.txt names the log too.
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${_mnemex_log_entry}")
