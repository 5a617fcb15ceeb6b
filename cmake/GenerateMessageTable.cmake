# Turns the message table (messages.def: MESSAGE(name, id, "C literal")) into a resource
# script with the same texts as a string table. Resource scripts quote a double quote by
# doubling it and know no \u escape, so those two are rewritten; everything else is kept.
# Usage: cmake -DINPUT=messages.def -DOUTPUT=messages.rc -P GenerateMessageTable.cmake
file(STRINGS "${INPUT}" lines ENCODING UTF-8)
set(body "")
foreach(line IN LISTS lines)
  if(line MATCHES "^MESSAGE\\(([A-Z0-9_]+), ([0-9]+), \"(.*)\"\\)$")
    set(id "${CMAKE_MATCH_2}")
    set(text "${CMAKE_MATCH_3}")
    string(REPLACE "\\\"" "\"\"" text "${text}")
    string(REGEX REPLACE "\\\\u([0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f])" "\\\\x\\1" text "${text}")
    string(APPEND body "  ${id}, L\"${text}\"\n")
  endif()
endforeach()
file(WRITE "${OUTPUT}.tmp" "// Generated from messages.def; do not edit.\nLANGUAGE 0x09, 0x01\nSTRINGTABLE\nBEGIN\n${body}END\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
