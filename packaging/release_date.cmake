# veltrim_release_date(<changelog> <version> <out-var>)
# The date of <version>'s entry in a Debian changelog, as YYYY-MM-DD. Stops
# the configuration when the changelog has no entry for the version, so a new
# version never ships with the last one's release notes and date.
function(veltrim_release_date changelog version out_var)
  file(READ ${changelog} text)
  string(REPLACE "." "\\." version_pattern ${version})
  if(NOT text MATCHES "(^|\n)veltrim \\(${version_pattern}\\)[^\n]*\n(.*)")
    message(FATAL_ERROR "${changelog} has no entry for version ${version}: "
                        "add one at the top before building this version")
  endif()
  # The entry's trailer line: " -- Name <mail>  Mon, 07 Dec 2026 04:00:00 +0000".
  if(NOT CMAKE_MATCH_2 MATCHES "\n -- [^\n]*  [A-Z][a-z][a-z], ([0-9][0-9]?) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
    message(FATAL_ERROR "${changelog}: the entry of ${version} has no date line")
  endif()
  set(day ${CMAKE_MATCH_1})
  set(month_name ${CMAKE_MATCH_2})
  set(year ${CMAKE_MATCH_3})
  set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
  list(FIND months ${month_name} month)
  math(EXPR month "${month} + 1")
  foreach(part month day)
    string(LENGTH ${${part}} digits)
    if(digits EQUAL 1)
      set(${part} 0${${part}})
    endif()
  endforeach()
  set(${out_var} ${year}-${month}-${day} PARENT_SCOPE)
endfunction()
