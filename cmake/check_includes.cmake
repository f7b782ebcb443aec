# Fails when a folder of the program includes what its layer may not use.
#
#   cmake -DFOLDER=<dir> -DNAME=<folder name> -DALLOWED=script,render -DKORVID=ON|OFF
#         -DSTAMP=<file> -P check_includes.cmake
#
# Only the folder's own files are read (not its subfolders). Every
# `#include "app/<x>/..."` must name this folder or one in ALLOWED; "korvid/"
# only when KORVID is ON; a Qt header never (only Korvid sees Qt).
cmake_policy(SET CMP0057 NEW)
set(ALLOWED_TEXT "${ALLOWED}")
string(REPLACE "," ";" ALLOWED "${ALLOWED}")
file(GLOB sources ${FOLDER}/*.h ${FOLDER}/*.cpp)
set(problems "")
foreach(source IN LISTS sources)
  file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include")
  foreach(line IN LISTS includes)
    set(wrong "")
    if(line MATCHES "\"app/([a-z_]+)/")
      set(used ${CMAKE_MATCH_1})
      if(NOT used STREQUAL NAME AND NOT used IN_LIST ALLOWED)
        set(wrong "the ${NAME} folder may use only: ${ALLOWED_TEXT}")
      endif()
    elseif(line MATCHES "\"korvid/" AND NOT KORVID)
      set(wrong "the ${NAME} folder knows nothing of windows")
    elseif(line MATCHES "<Q[A-Za-z]*>|<Qt[A-Za-z]*/")
      set(wrong "only Korvid includes Qt")
    endif()
    if(wrong)
      string(STRIP "${line}" line)
      string(APPEND problems "\n  ${source}: ${line}: ${wrong}")
    endif()
  endforeach()
endforeach()
if(problems)
  message(FATAL_ERROR "Includes across the program's layers:${problems}")
endif()
file(TOUCH ${STAMP})
