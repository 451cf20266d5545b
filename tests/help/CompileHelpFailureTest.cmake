# The help build must fail, not warn, when chmcmd cannot compile the project: a page that links
# to a missing page, a project file that lists a missing file, or no project file at all.
#   cmake -DCHMCMD=... -DHELP_SOURCE_DIR=.../help -DWORK_DIR=... -P CompileHelpFailureTest.cmake
set(compile_script ${HELP_SOURCE_DIR}/CompileHelp.cmake)

# Compiles SOURCE_DIR and expects the help build to fail with a message matching `expected`.
function(expect_compile_failure case source_dir expected)
  set(output_file ${WORK_DIR}/${case}/Swivex.chm)
  file(MAKE_DIRECTORY ${WORK_DIR}/${case})
  file(WRITE ${output_file} "stale help file from an earlier build")
  execute_process(
    COMMAND ${CMAKE_COMMAND} -DCHMCMD=${CHMCMD} -DSOURCE_DIR=${source_dir}
            -DSTAGING_DIR=${WORK_DIR}/${case}/staging -DOUTPUT=${output_file} -P ${compile_script}
    RESULT_VARIABLE status
    OUTPUT_VARIABLE output
    ERROR_VARIABLE output)
  if(status EQUAL 0)
    message(FATAL_ERROR "${case}: the help build succeeded:\n${output}")
  endif()
  if(NOT output MATCHES "${expected}")
    message(FATAL_ERROR "${case}: the failure does not say \"${expected}\":\n${output}")
  endif()
  if(EXISTS ${output_file})
    message(FATAL_ERROR "${case}: a failed build left ${output_file} in place")
  endif()
  message(STATUS "${case}: fails as it should")
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})

set(broken_link ${WORK_DIR}/broken-link-sources)
file(COPY ${HELP_SOURCE_DIR}/ DESTINATION ${broken_link})
file(READ ${broken_link}/index.html page)
string(REPLACE "</body>" "<a href=\"no-such-page.html\">gone</a></body>" page "${page}")
file(WRITE ${broken_link}/index.html "${page}")
expect_compile_failure(broken-link ${broken_link} "no-such-page.html")

set(missing_file ${WORK_DIR}/missing-file-sources)
file(COPY ${HELP_SOURCE_DIR}/ DESTINATION ${missing_file})
file(APPEND ${missing_file}/Swivex.hhp "no-such-file.html\n")
expect_compile_failure(missing-file ${missing_file} "no-such-file.html")

set(no_project ${WORK_DIR}/no-project-sources)
file(COPY ${HELP_SOURCE_DIR}/ DESTINATION ${no_project})
file(REMOVE ${no_project}/Swivex.hhp)
expect_compile_failure(no-project ${no_project} "Swivex.hhp")

file(REMOVE_RECURSE ${WORK_DIR})
