# Writes the module-definition file of Colligo.dll: every C name of the
# engine's version script (colligo.map), spelled as the compiler decorated it
# in the engine's objects (32-bit standard calls: "OpenPDF@8"; 64-bit: plain).
# Linking with --kill-at then exports the plain names, and dlltool makes an
# import library from the same file that maps the decorated names onto them.
#
#   cmake -DNM=... -DMAP=colligo.map -DDEF=Colligo.def -DOBJECTS=a.obj;b.obj -P MakeDefFile.cmake

cmake_minimum_required(VERSION 3.25)

file(READ ${MAP} map)
string(REGEX REPLACE "/\\*([^*]|\\*[^/])*\\*/" "" map "${map}")
string(REGEX MATCH "global:([^}]*)local:" globals "${map}")
string(REGEX REPLACE "^global:|local:$" "" globals "${CMAKE_MATCH_0}")
string(REGEX REPLACE "[ \t\r\n]" "" globals "${globals}")
set(names "${globals}")
list(FILTER names EXCLUDE REGEX "^$")
# C++ names (the Linux build's poppler hook) have no part on Windows.
list(FILTER names EXCLUDE REGEX "^_Z")

execute_process(COMMAND ${NM} --defined-only --extern-only ${OBJECTS}
  OUTPUT_VARIABLE symbols RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${NM} failed on the engine's objects")
endif()

set(def "LIBRARY Colligo.dll\nEXPORTS\n")
foreach(name IN LISTS names)
  # A text symbol: "_OpenPDF@8" (32-bit) or "OpenPDF" (64-bit).
  if(symbols MATCHES "[ \t]T _?(${name}(@[0-9]+)?)\n")
    string(APPEND def "  ${CMAKE_MATCH_1}\n")
  else()
    message(FATAL_ERROR "the export ${name} of ${MAP} is defined in none of the engine's objects")
  endif()
endforeach()
file(WRITE ${DEF}.new "${def}")
file(COPY_FILE ${DEF}.new ${DEF} ONLY_IF_DIFFERENT)
file(REMOVE ${DEF}.new)
