# Fails when a source file outside hostapi/ declares a name of the host's SDK (any name in
# TABLE: structs, typedefs, constants, suite versions, names the SDK does not define): the host's
# names come from hostapi/ (or the SDK) only, and helper types of our own get names of our own.
cmake_minimum_required(VERSION 3.25)

include(${CMAKE_CURRENT_LIST_DIR}/HostAbiTable.cmake)
read_host_abi_table(${TABLE} rows names)

# Semicolons would split CMake lists: the code's are turned into backquotes first.
set(patterns
  "#[ \t]*define[ \t]+([A-Za-z_][A-Za-z_0-9]*)"
  "typedef[^`{}]*[ \t*&]([A-Za-z_][A-Za-z_0-9]*)[ \t]*`"
  "typedef[^`{}]*\\([ \t]*\\*[ \t]*([A-Za-z_][A-Za-z_0-9]*)[ \t]*\\)"
  "}[ \t]*([A-Za-z_][A-Za-z_0-9]*)[ \t]*`"
  "(struct|union|enum|class)[ \t]+([A-Za-z_][A-Za-z_0-9]*)[ \t\n]*[{:]"
  "using[ \t]+([A-Za-z_][A-Za-z_0-9]*)[ \t]*="
  "\n[ \t]*([A-Za-z_][A-Za-z_0-9]*)[ \t]*=[^=]"
  "const[^`=(){}]*[ \t]([A-Za-z_][A-Za-z_0-9]*)[ \t]*[={]")

file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR}
     ${SOURCE_DIR}/*.h ${SOURCE_DIR}/*.hpp ${SOURCE_DIR}/*.cpp ${SOURCE_DIR}/*.c)
set(found "")
foreach(source IN LISTS sources)
  if(source MATCHES "^(hostapi|build|\\.git)/")
    continue()
  endif()
  file(READ ${SOURCE_DIR}/${source} code)
  string(REGEX REPLACE "/\\*([^*]|\\*+[^*/])*\\*+/" " " code "${code}")
  string(REGEX REPLACE "//[^\n]*" "" code "${code}")
  string(REGEX REPLACE "\"([^\"\\\\\n]|\\\\.)*\"" "\"\"" code "${code}")
  string(REPLACE ";" "`" code "${code}")
  foreach(pattern IN LISTS patterns)
    string(REGEX MATCHALL "${pattern}" hits "${code}")
    foreach(hit IN LISTS hits)
      string(REGEX MATCH "${pattern}" _ "${hit}")
      set(name "${CMAKE_MATCH_1}")
      if(CMAKE_MATCH_2)
        set(name "${CMAKE_MATCH_2}")
      endif()
      if(name MATCHES "^(_?PF|_?AEGP|A|DRAWBOT|SP|kPF|kAEGP|kSP|kDRAWBOT)[A-Z_]" AND name IN_LIST names)
        list(APPEND found "${source}: ${name}")
      endif()
    endforeach()
  endforeach()
endforeach()

list(LENGTH names count)
if(count LESS 500)
  message(FATAL_ERROR "only ${count} names read from ${TABLE}")
endif()
if(found)
  list(JOIN found "\n  " report)
  message(FATAL_ERROR "host names declared outside hostapi/:\n  ${report}")
endif()
message(STATUS "no file outside hostapi/ declares any of the host's ${count} names")
