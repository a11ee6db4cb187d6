# The map the README shows is what docs/map.scn draws now: run in a folder of its own, it must
# write the committed docs/map.svg again.
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR}/docs)
execute_process(
  COMMAND ${DEVSERVER} ${SOURCE_DIR}/docs/map.scn --events none --plugin ${PLUGIN}
  WORKING_DIRECTORY ${WORK_DIR}
  ERROR_VARIABLE errors
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "docs/map.scn ended with ${status}:\n${errors}")
endif()
file(READ ${WORK_DIR}/docs/map.svg drawn)
file(READ ${SOURCE_DIR}/docs/map.svg committed)
if(NOT drawn STREQUAL committed)
  message(FATAL_ERROR "docs/map.svg is not what docs/map.scn draws now; from the repository's "
                      "root run: scripts/devserver docs/map.scn --events none")
endif()
