# Fills the bash completion's groups, keys and switches in from what
# "brisel-ctl --demo show" prints: every group and key of a settings file,
# and the keys whose value is true or false.
# cmake -DCTL=<brisel-ctl> [-DEMULATOR=<program|argument|...>] -DTEMPLATE=<in> -DOUTPUT=<out>
#       -P completion_words.cmake
# EMULATOR runs a program built for another architecture (qemu-user).
string(REPLACE "|" ";" emulator "${EMULATOR}")
# The demo adapter afresh, in a file of the build's own: a build touches no
# home folder.
execute_process(COMMAND ${emulator} ${CTL} --demo-reset --demo-file ${OUTPUT}.demo-adapter.toml show
                OUTPUT_VARIABLE shown RESULT_VARIABLE result ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${CTL} --demo show failed (${result}): ${errors}")
endif()

set(groups)
set(keys)
set(switches)
set(group)
string(REPLACE "\n" ";" lines "${shown}")
foreach(line IN LISTS lines)
  if(line MATCHES "^\\[([a-z_0-9]+)\\]$")
    set(group ${CMAKE_MATCH_1})
    list(APPEND groups ${group})
  elseif(group AND line MATCHES "^([a-z_0-9]+) = ([^ ]*)")
    list(APPEND keys ${group}.${CMAKE_MATCH_1})
    if(CMAKE_MATCH_2 STREQUAL "true" OR CMAKE_MATCH_2 STREQUAL "false")
      list(APPEND switches ${group}.${CMAKE_MATCH_1})
    endif()
  endif()
endforeach()
if(NOT groups OR NOT keys OR NOT switches)
  message(FATAL_ERROR "no groups, keys or switches in the output of ${CTL} --demo show:\n${shown}")
endif()

list(JOIN groups " " BRISEL_CTL_GROUPS)
list(JOIN keys "\n        " BRISEL_CTL_KEYS)
list(JOIN switches "\n        " BRISEL_CTL_SWITCHES)
configure_file(${TEMPLATE} ${OUTPUT} @ONLY)
