# Runs one scenario through devserver and compares its JSON-lines events, each naming the script
# line that caused it, with the expected file. With UPDATE_EXPECTED set in the environment it
# writes the expected file instead. OPTIONS: more devserver options, a list.
# A scenario that must end otherwise than at its last line says so: "# devserver exits with N".
execute_process(
  COMMAND ${DEVSERVER} ${SCENARIO} --events jsonl --lines ${OPTIONS} --plugin ${PLUGIN}
  OUTPUT_VARIABLE actual
  ERROR_VARIABLE errors
  RESULT_VARIABLE status)
file(STRINGS ${SCENARIO} exitLine REGEX "^# devserver exits with [0-9]+$" LIMIT_COUNT 1)
set(expectedStatus 0)
if(exitLine)
  string(REGEX REPLACE ".* " "" expectedStatus "${exitLine}")
endif()
if(NOT status EQUAL expectedStatus)
  message(FATAL_ERROR "devserver ended with ${status}, not ${expectedStatus}:\n${errors}\n${actual}")
endif()
if(DEFINED ENV{UPDATE_EXPECTED})
  file(WRITE ${EXPECTED} "${actual}")
  return()
endif()
file(READ ${EXPECTED} expected)
if(NOT actual STREQUAL expected)
  string(RANDOM LENGTH 8 suffix)
  set(actualFile ${CMAKE_CURRENT_BINARY_DIR}/scenario-${suffix}.actual.jsonl)
  file(WRITE ${actualFile} "${actual}")
  execute_process(COMMAND diff -u ${EXPECTED} ${actualFile} OUTPUT_VARIABLE difference)
  file(REMOVE ${actualFile})
  message(FATAL_ERROR "events differ from ${EXPECTED}:\n${difference}")
endif()
