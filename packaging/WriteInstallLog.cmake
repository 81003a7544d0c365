# Runs at install time, after every other install rule: writes ST6UNST.LOG into the
# uninstaller's folder, listing every file this installation wrote (the log included) by its
# absolute path under the actual prefix, DESTDIR included, one a line.

get_filename_component(_mnemex_prefix "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}" ABSOLUTE)
set(_mnemex_log "${_mnemex_prefix}/${MNEMEX_UNINSTALL_DIR}/ST6UNST.LOG")

set(_mnemex_files ${CMAKE_INSTALL_MANIFEST_FILES})
list(APPEND _mnemex_files "${_mnemex_log}")
list(REMOVE_DUPLICATES _mnemex_files)

set(_mnemex_text "# Mnemex installation log\n")
foreach(_mnemex_file IN LISTS _mnemex_files)
  get_filename_component(_mnemex_file "${_mnemex_file}" ABSOLUTE)
  string(APPEND _mnemex_text "${_mnemex_file}\n")
endforeach()

message(STATUS "Installing: ${_mnemex_log}")
file(WRITE "${_mnemex_log}" "${_mnemex_text}")
# So that install_manifest.txt names the log too.
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${_mnemex_log}")
