# Runs snapshot_labels.scn through devserver once for each event output, each in a folder of its
# own, and checks that every output draws the same snapshots, showing the labels alice was last
# sent: printing no events must not lose them.
foreach(output jsonl text none)
  set(dir ${WORK_DIR}/${output})
  file(REMOVE_RECURSE ${dir})
  file(MAKE_DIRECTORY ${dir})
  execute_process(
    COMMAND ${DEVSERVER} ${SCENARIO} --events ${output} --plugin ${PLUGIN}
    WORKING_DIRECTORY ${dir}
    OUTPUT_QUIET
    ERROR_VARIABLE errors
    RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "devserver --events ${output} ended with ${status}:\n${errors}")
  endif()
endforeach()

foreach(snapshot first later)
  file(READ ${WORK_DIR}/jsonl/${snapshot}.svg expected)
  foreach(output text none)
    file(READ ${WORK_DIR}/${output}/${snapshot}.svg actual)
    if(NOT actual STREQUAL expected)
      execute_process(COMMAND diff -u ${WORK_DIR}/jsonl/${snapshot}.svg
                              ${WORK_DIR}/${output}/${snapshot}.svg OUTPUT_VARIABLE difference)
      message(FATAL_ERROR "${snapshot}.svg differs with --events ${output}:\n${difference}")
    endif()
  endforeach()
endforeach()

# The labels themselves, so that snapshots drawing none would not pass as equal. Each is a label
# of one line here.
function(expect_label snapshot text shown)
  file(READ ${WORK_DIR}/jsonl/${snapshot}.svg svg)
  string(REGEX MATCH "<text class=\"label\"[^>]*><tspan[^>]*>${text}</tspan></text>" at "${svg}")
  if(shown AND NOT at)
    message(FATAL_ERROR "${snapshot}.svg lacks the label \"${text}\":\n${svg}")
  elseif(NOT shown AND at)
    message(FATAL_ERROR "${snapshot}.svg still shows the label \"${text}\":\n${svg}")
  endif()
endfunction()
expect_label(first "bob 17m" TRUE)
expect_label(first "Rex 150 37m" TRUE)
expect_label(later "bob 17m" TRUE)
expect_label(later "Rex 150 37m" FALSE)
