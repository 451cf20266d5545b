# Runs the fuzzer with a temporary folder of its own, once on the seed files and once fuzzing for
# a few hundred runs, and fails if it leaves anything in that folder.
# cmake -DFUZZER=... -DSEEDS=... -DWORK=... -P CheckScratchFolderRemoved.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/tmp ${WORK}/corpus)
file(GLOB seeds ${SEEDS}/*)

function(run_fuzzer what)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env TMPDIR=${WORK}/tmp ${FUZZER} ${ARGN}
                  RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE output)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "the fuzzer failed ${what} (${status}):\n${output}")
  endif()
  file(GLOB left ${WORK}/tmp/*)
  if(left)
    message(FATAL_ERROR "the fuzzer left ${left} behind ${what}")
  endif()
endfunction()

run_fuzzer("on the seed files" ${seeds})
run_fuzzer("fuzzing" -runs=300 -max_len=4096 ${WORK}/corpus ${SEEDS})
file(REMOVE_RECURSE ${WORK})
