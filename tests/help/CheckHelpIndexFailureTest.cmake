# The index check must fail on help sources that lead nowhere, each case one change to a copy of
# the real sources, and name what is wrong.
#   cmake -DHELP_SOURCE_DIR=.../help -DWORK_DIR=... -P CheckHelpIndexFailureTest.cmake
cmake_minimum_required(VERSION 3.25)  # a script has no project to set the policies
set(check_script ${CMAKE_CURRENT_LIST_DIR}/CheckHelpIndex.cmake)

# Case name | file | text replaced | its replacement | what the failure must say.
set(cases
    "entry to a missing place|Swivex.hhk|\"messages.html#stream-read-error\"|\"messages.html#stream-read-errors\"|index entry \"Stream read error\" leads to \"messages.html#stream-read-errors\", but messages.html has no id \"stream-read-errors\""
    "entry to a missing page|Swivex.hhk|\"projectors.html#linux\"|\"linux.html#linux\"|index entry \"Linux\" leads to \"linux.html#linux\", but there is no page \"linux.html\""
    "entry without a page|Swivex.hhk|<param name=\"Local\" value=\"shortcuts.html#ctrl-q\">||an index entry lacks its name or its page: .*Ctrl\\+Q"
    "link to a missing place|index.html|\"screensaver.html#changes\"|\"screensaver.html#changed\"|a link on index.html leads to \"screensaver.html#changed\", but screensaver.html has no id \"changed\""
    "message without a place|messages.html|<h3 class=\"msg\" id=\"stream-write-error\">|<h3 class=\"msg\">|the message \"Stream write error\" on messages.html has no id"
    "message left out of the index|Swivex.hhk|\"messages.html#no-page\"|\"messages.html#projector-messages\"|no index entry leads to the message \"The movie's page did not open in a web browser within two minutes\""
    "one id marks two places|projectors.html|<h3 id=\"without-browser\">|<h3 id=\"linux\">|projectors.html marks two places with the id \"linux\"")

file(REMOVE_RECURSE ${WORK_DIR})
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" fields "${case}")
  list(GET fields 0 name)
  list(GET fields 1 file)
  list(GET fields 2 from)
  list(GET fields 3 to)
  list(GET fields 4 expected)
  string(REPLACE " " "-" folder "${name}")
  set(sources ${WORK_DIR}/${folder})
  file(COPY ${HELP_SOURCE_DIR}/ DESTINATION ${sources})
  file(READ ${sources}/${file} text)
  string(FIND "${text}" "${from}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${name}: ${file} no longer holds ${from}")
  endif()
  string(REPLACE "${from}" "${to}" text "${text}")
  file(WRITE ${sources}/${file} "${text}")
  execute_process(COMMAND ${CMAKE_COMMAND} -DHELP_SOURCE_DIR=${sources} -P ${check_script}
                  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(status EQUAL 0)
    message(FATAL_ERROR "${name}: the check passed:\n${output}")
  endif()
  # The check wraps its report at its own width; compare the words alone.
  string(REGEX REPLACE "[ \t\r\n]+" " " flowing "${output}")
  if(NOT flowing MATCHES "${expected}")
    message(FATAL_ERROR "${name}: the failure does not say \"${expected}\":\n${output}")
  endif()
  message(STATUS "${name}: fails as it should")
endforeach()
file(REMOVE_RECURSE ${WORK_DIR})
