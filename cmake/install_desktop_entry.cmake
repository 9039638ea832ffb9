# Part of the installation (cmake --install): writes the desktop entry of
# meter from its template with the full path of the installed program in its
# Exec key, and installs it. Set before: METER_DESKTOP_ENTRY_IN (the template),
# METER_DESKTOP_ENTRY (the file to write), METER_BINDIR, METER_DATADIR.
cmake_path(ABSOLUTE_PATH METER_BINDIR BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}"
  NORMALIZE OUTPUT_VARIABLE bindir)
cmake_path(ABSOLUTE_PATH METER_DATADIR BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}"
  NORMALIZE OUTPUT_VARIABLE datadir)
set(METER_EXEC "${bindir}/meter")
# A path with other characters is quoted as one argument. Inside the quotes \ " ` $
# take a backslash, and each backslash is then doubled by the string escapes of
# the file; a % is doubled anywhere.
if(NOT METER_EXEC MATCHES "^[A-Za-z0-9_./+-]+$")
  string(REPLACE "\\" "\\\\\\\\" METER_EXEC "${METER_EXEC}")
  string(REPLACE "\"" "\\\\\"" METER_EXEC "${METER_EXEC}")
  string(REPLACE "`" "\\\\`" METER_EXEC "${METER_EXEC}")
  string(REPLACE "\$" "\\\\\$" METER_EXEC "${METER_EXEC}")
  string(REPLACE "%" "%%" METER_EXEC "${METER_EXEC}")
  set(METER_EXEC "\"${METER_EXEC}\"")
endif()
configure_file("${METER_DESKTOP_ENTRY_IN}" "${METER_DESKTOP_ENTRY}" @ONLY)
file(INSTALL DESTINATION "${datadir}/applications" TYPE FILE FILES "${METER_DESKTOP_ENTRY}")
