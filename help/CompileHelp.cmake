# Compiles the help project into a CHM file and fails on anything less than a clean compile.
#   cmake -DCHMCMD=... -DSOURCE_DIR=... -DSTAGING_DIR=... -DOUTPUT=... -P CompileHelp.cmake
# chmcmd exits with 0 when the project file is missing and only warns about a file listed in the
# project or linked from a page that does not exist, so its output is checked as well, and the
# result must be a CHM file (it starts with "ITSF").
foreach(variable CHMCMD SOURCE_DIR STAGING_DIR OUTPUT)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "CompileHelp.cmake: ${variable} is not set")
  endif()
endforeach()

# chmcmd writes beside the project file, so it compiles a copy in the build tree.
file(REMOVE_RECURSE ${STAGING_DIR})
file(MAKE_DIRECTORY ${STAGING_DIR})
file(GLOB sources ${SOURCE_DIR}/*.html ${SOURCE_DIR}/*.css ${SOURCE_DIR}/*.hhp
     ${SOURCE_DIR}/*.hhc ${SOURCE_DIR}/*.hhk)
file(COPY ${sources} DESTINATION ${STAGING_DIR})
file(REMOVE ${OUTPUT})

execute_process(COMMAND ${CHMCMD} Swivex.hhp
                WORKING_DIRECTORY ${STAGING_DIR}
                RESULT_VARIABLE status
                OUTPUT_VARIABLE output
                ERROR_VARIABLE output)
set(compiled ${STAGING_DIR}/Swivex.chm)
if(NOT status EQUAL 0 OR output MATCHES "Warning|Error|exception|Can't")
  message(FATAL_ERROR "chmcmd failed (exit code ${status}):\n${output}")
endif()
if(NOT EXISTS ${compiled})
  message(FATAL_ERROR "chmcmd wrote no Swivex.chm:\n${output}")
endif()
file(READ ${compiled} signature LIMIT 4 HEX)
if(NOT signature STREQUAL "49545346") # "ITSF"
  message(FATAL_ERROR "chmcmd wrote ${compiled}, but it is not a CHM file")
endif()
file(COPY_FILE ${compiled} ${OUTPUT})
