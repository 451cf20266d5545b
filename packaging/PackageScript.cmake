# What the packaging scripts share: included by MakePackage.cmake and MakeLinuxPackage.cmake.

# Stops the script `script` unless every variable named after it is set.
function(require_variables script)
  foreach(variable ${ARGN})
    if(NOT DEFINED ${variable})
      message(FATAL_ERROR "${script}: ${variable} is not set")
    endif()
  endforeach()
endfunction()

# Runs a packaging tool in WORK_DIR and stops with its output when it fails.
function(run_tool what)
  execute_process(COMMAND ${ARGN} WORKING_DIRECTORY ${WORK_DIR} RESULT_VARIABLE status
                  OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${what} failed (exit code ${status}):\n${output}")
  endif()
endfunction()
