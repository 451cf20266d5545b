# Test executables run natively, or under Wine in the test run's own Wine session (a prefix,
# Xvfb and a persistent wineserver that CTest starts before the first Windows test and stops
# after the last).

find_package(Threads REQUIRED)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

set(SWIVEX_WINE_STATE ${CMAKE_BINARY_DIR}/wine)

if(CMAKE_CROSSCOMPILING)
  add_test(NAME wine_session_start
           COMMAND ${PROJECT_SOURCE_DIR}/cmake/wine-session start ${SWIVEX_WINE_STATE})
  add_test(NAME wine_session_stop
           COMMAND ${PROJECT_SOURCE_DIR}/cmake/wine-session stop ${SWIVEX_WINE_STATE})
  set_tests_properties(wine_session_start PROPERTIES FIXTURES_SETUP wine)
  set_tests_properties(wine_session_stop PROPERTIES FIXTURES_CLEANUP wine)
endif()

# Marks a test as one that runs inside the Wine session when the build is for Windows.
function(swivex_test_in_session test)
  if(CMAKE_CROSSCOMPILING)
    set_tests_properties(${test} PROPERTIES FIXTURES_REQUIRED wine)
  endif()
endfunction()

# swivex_gtest(name SOURCES ... LIBS ... [ARGS ...]): one GoogleTest program, one CTest test.
function(swivex_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;ARGS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  swivex_compile_options(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gmock_main)
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${PROJECT_SOURCE_DIR}/cmake/wine-run ${SWIVEX_WINE_STATE}
                                  $<TARGET_FILE:${name}> ${ARG_ARGS})
  else()
    add_test(NAME ${name} COMMAND ${name} ${ARG_ARGS})
  endif()
  swivex_test_in_session(${name})
endfunction()

# Marks tests that show windows, take the keyboard focus or use the clipboard. They share one X
# display (and X's one clipboard) with every other test of the run, so they run alone.
function(swivex_uses_screen)
  set_tests_properties(${ARGN} PROPERTIES RUN_SERIAL TRUE)
endfunction()
