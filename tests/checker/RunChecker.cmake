# Runs packsentinel-check on one file from the file's folder and compares what it prints and
# its exit status with the expected ones. With UPDATE_EXPECTED set it writes the output instead.
execute_process(
  COMMAND ${CHECKER} ${ARGUMENTS}
  WORKING_DIRECTORY ${FOLDER}
  OUTPUT_VARIABLE actual
  ERROR_VARIABLE errors
  RESULT_VARIABLE status)
if(DEFINED ENV{UPDATE_EXPECTED})
  file(WRITE ${EXPECTED} "${actual}")
endif()
if(NOT status EQUAL EXIT_STATUS)
  message(FATAL_ERROR "packsentinel-check ended with ${status}, expected ${EXIT_STATUS}:\n${errors}\n${actual}")
endif()
file(READ ${EXPECTED} expected)
if(NOT actual STREQUAL expected)
  message(FATAL_ERROR "output differs from ${EXPECTED}:\n--- expected\n${expected}--- actual\n${actual}")
endif()
