# Runs one scenario through devserver and compares its JSON-lines events, each naming the script
# line that caused it, with the expected file. With UPDATE_EXPECTED set in the environment it
# writes the expected file instead. OPTIONS: more devserver options, a list.
execute_process(
  COMMAND ${DEVSERVER} ${SCENARIO} --events jsonl --lines ${OPTIONS} --plugin ${PLUGIN}
  OUTPUT_VARIABLE actual
  ERROR_VARIABLE errors
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "devserver ended with ${status}:\n${errors}\n${actual}")
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
