# Run by `cmake --install`: the commands in bin as relative links into the program folder (a
# program finds what lies beside it through the link), and the menu entry naming the installed
# program. Both are listed in install_manifest.txt like every other installed file.
set(root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")

file(MAKE_DIRECTORY "${root}/bin")
foreach(command ${TARNEL_COMMANDS})
  set(link "${root}/bin/${command}")
  message(STATUS "Installing: ${link}")
  file(REMOVE "${link}")
  file(CREATE_LINK "../${TARNEL_PROGRAM_DIR}/${command}" "${link}" SYMBOLIC)
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${link}")
endforeach()

# Exec takes a quoted path: inside the quotes \ " ` $ are escaped with a backslash, and the
# entry's own string escaping then doubles every backslash; a % is written as %%.
set(exec "${CMAKE_INSTALL_PREFIX}/bin/tarnel")
string(REPLACE "\\" "\\\\" exec "${exec}")
string(REPLACE "\"" "\\\"" exec "${exec}")
string(REPLACE "`" "\\`" exec "${exec}")
string(REPLACE "$" "\\$" exec "${exec}")
string(REPLACE "\\" "\\\\" exec "${exec}")
string(REPLACE "%" "%%" exec "${exec}")
set(TARNEL_EXEC "${exec}")
set(entry "${root}/share/applications/tarnel.desktop")
message(STATUS "Installing: ${entry}")
configure_file("${TARNEL_ENTRY_TEMPLATE}" "${entry}" @ONLY)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${entry}")
