# Runs at install time: writes the desktop entry with the program's installed path and installs
# it (file(INSTALL) records it in the install manifest like every other file).

get_filename_component(_mnemex_prefix "${CMAKE_INSTALL_PREFIX}" ABSOLUTE)
set(_mnemex_program "${_mnemex_prefix}/${MNEMEX_BINDIR}/Mnemex")
# Exec quoting rules of desktop entries: the path in double quotes, with \ " ` $ escaped.
string(REPLACE "\\" "\\\\\\\\" _mnemex_quoted "${_mnemex_program}")
string(REGEX REPLACE "([\"`$])" "\\\\\\\\\\1" _mnemex_quoted "${_mnemex_quoted}")
set(MNEMEX_DESKTOP_EXEC "\"${_mnemex_quoted}\"")
set(MNEMEX_DESKTOP_TRYEXEC "${_mnemex_program}")
configure_file("${MNEMEX_DESKTOP_TEMPLATE}" "${MNEMEX_DESKTOP_OUT}" @ONLY)
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/${MNEMEX_DATADIR}/applications"
     TYPE FILE FILES "${MNEMEX_DESKTOP_OUT}")
