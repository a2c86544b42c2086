# Run while installing: writes the desktop entry for the executable at
# VISTREL_EXEC_PATH and installs it into VISTREL_ENTRY_DESTINATION.
set(VISTREL_EXEC "${VISTREL_EXEC_PATH}")
# A path with a blank or a shell character is quoted, as the desktop entry
# format asks; inside the quotes " ` $ \ take a backslash, and the key file's
# own escaping then doubles every backslash. % is doubled either way.
string(REPLACE "%" "%%" VISTREL_EXEC "${VISTREL_EXEC}")
if(VISTREL_EXEC MATCHES "[ \t\"'\\\\><~|&;$*?#()`]")
  string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" VISTREL_EXEC "${VISTREL_EXEC}")
  string(REPLACE "\\" "\\\\" VISTREL_EXEC "${VISTREL_EXEC}")
  set(VISTREL_EXEC "\"${VISTREL_EXEC}\"")
endif()
set(VISTREL_ICON vistrel)
configure_file("${VISTREL_ENTRY_TEMPLATE}" "${VISTREL_ENTRY_STAGE}/${VISTREL_APP_ID}.desktop" @ONLY)
file(INSTALL "${VISTREL_ENTRY_STAGE}/${VISTREL_APP_ID}.desktop" DESTINATION "${VISTREL_ENTRY_DESTINATION}")
