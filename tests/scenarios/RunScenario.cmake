# Runs one scenario through devserver and compares its JSON-lines events, each naming the script
# line that caused it, with the expected file, byte for byte. With UPDATE_EXPECTED set in the
# environment it writes the expected file instead. OPTIONS: more devserver options, a list.
# EMULATOR: what runs devserver when it is built for another system (wine). PLUGIN_FAILED: the
# text a failed start gives the loader where the loader cannot learn the plugin's own.
# A scenario that must end otherwise than at its last line says so: "# devserver exits with N".

# Through files, which are read once devserver has ended: under wine, the services devserver
# starts inherit its output and hold a pipe open for as long as they run.
string(RANDOM LENGTH 8 suffix)
set(output ${CMAKE_CURRENT_BINARY_DIR}/scenario-${suffix})
execute_process(
  COMMAND ${EMULATOR} ${DEVSERVER} ${SCENARIO} --events jsonl --lines ${OPTIONS} --plugin ${PLUGIN}
  OUTPUT_FILE ${output}.out
  ERROR_FILE ${output}.err
  RESULT_VARIABLE status)
file(READ ${output}.err errors)
file(REMOVE ${output}.err)
file(STRINGS ${SCENARIO} exitLine REGEX "^# devserver exits with [0-9]+$" LIMIT_COUNT 1)
set(expectedStatus 0)
if(exitLine)
  string(REGEX REPLACE ".* " "" expectedStatus "${exitLine}")
endif()
if(NOT status EQUAL expectedStatus)
  file(READ ${output}.out actual)
  file(REMOVE ${output}.out)
  message(FATAL_ERROR "devserver ended with ${status}, not ${expectedStatus}:\n${errors}\n${actual}")
endif()
# The expected files are Linux's; a Windows run only compares with them.
if(DEFINED ENV{UPDATE_EXPECTED} AND NOT EMULATOR)
  file(COPY_FILE ${output}.out ${EXPECTED})
  file(REMOVE ${output}.out)
  return()
endif()
set(expectedFile ${EXPECTED})
if(DEFINED PLUGIN_FAILED)
  file(READ ${EXPECTED} expected)
  string(REGEX REPLACE "(\"event\":\"plugin_failed\",\"tick\":[0-9]+,\"text\":)\"([^\"\\\\]|\\\\.)*\""
    "\\1\"${PLUGIN_FAILED}\"" expected "${expected}")
  set(expectedFile ${output}.expected)
  file(WRITE ${expectedFile} "${expected}")
endif()
# Compared as files: a string read from a file has lost its carriage returns.
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${expectedFile} ${output}.out
  RESULT_VARIABLE differs)
if(differs)
  execute_process(COMMAND diff -u ${expectedFile} ${output}.out OUTPUT_VARIABLE difference)
endif()
file(REMOVE ${output}.out ${output}.expected)
if(differs)
  message(FATAL_ERROR "events differ from ${EXPECTED}:\n${difference}")
endif()
