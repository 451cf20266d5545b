# Ruffle, the open-source Flash player (MIT OR Apache-2.0) that every projector's player stub
# carries, as the target swivex_player_files.
#
# `npm pack` fetches the package @ruffle-rs/ruffle into the build folder and its sha512 is checked
# against the integrity that the registry published for it (recorded below) before anything is
# unpacked. Of its files, a browser loads three: the script the page includes, the core that it
# loads, and the WebAssembly build for browsers with WebAssembly's extensions (every current
# browser). A fourth goes with them: the page of Ruffle's licences (licences.html), made from
# the package's LICENSE_MIT and LICENSE_APACHE and playback/PlayerLicences.html.in, since whoever
# passes a projector on passes Ruffle on. The build compresses these with gzip -9, and the stub
# serves the gzip bytes as they are. Nothing of the package is kept in the repository.
#
# Defines SWIVEX_PLAYER_FILE_LIST_DIR (the folder of the generated PlayerFileList.h),
# SWIVEX_PLAYER_GZIP_FILES (the compressed files, in the list's order) and SWIVEX_RUFFLE_DIR
# (the unpacked package, for tests that compare what is served with it).

include(NpmPackage)

set(SWIVEX_RUFFLE_VERSION 0.6.0)
set(SWIVEX_RUFFLE_PACKAGE @ruffle-rs/ruffle@${SWIVEX_RUFFLE_VERSION})
set(SWIVEX_RUFFLE_TARBALL ruffle-rs-ruffle-${SWIVEX_RUFFLE_VERSION}.tgz)
# From `npm view @ruffle-rs/ruffle@0.6.0 dist.integrity`.
set(SWIVEX_RUFFLE_INTEGRITY
    "sha512-P2X1zDENBoiLt2ZjPcsUzaDxoR7fVF2e1U/bi7hbIAQEjkykxljSoG8AgbywHvlVVzL9Y5tIZMRqDwIm31jgPA==")
set(SWIVEX_RUFFLE_ROOT ${CMAKE_BINARY_DIR}/ruffle)
set(SWIVEX_RUFFLE_DIR ${SWIVEX_RUFFLE_ROOT}/unpacked/package)
set(SWIVEX_RUFFLE_LICENCES ${SWIVEX_RUFFLE_ROOT}/made/licences.html)
# plain file|content type, in the order of the stub's table; each is served by its name.
set(SWIVEX_RUFFLE_FILES
    "${SWIVEX_RUFFLE_DIR}/ruffle.js|text/javascript"
    "${SWIVEX_RUFFLE_DIR}/core.ruffle.c80159b526e567babaf5.js|text/javascript"
    "${SWIVEX_RUFFLE_DIR}/826bb0938097485a2c9d.wasm|application/wasm"
    "${SWIVEX_RUFFLE_LICENCES}|text/html")

# Fetches, checks and unpacks the package into `root`, unless an earlier configure run has done
# so from the same package.
function(swivex_fetch_ruffle root)
  set(stamp ${root}/unpacked-from-${SWIVEX_RUFFLE_TARBALL})
  if(EXISTS ${stamp})
    return()
  endif()
  file(REMOVE_RECURSE ${root})
  file(MAKE_DIRECTORY ${root})
  swivex_npm_fetch(${SWIVEX_RUFFLE_PACKAGE} ${SWIVEX_RUFFLE_TARBALL} ${SWIVEX_RUFFLE_INTEGRITY}
                   ${root})
  file(ARCHIVE_EXTRACT INPUT ${root}/${SWIVEX_RUFFLE_TARBALL} DESTINATION ${root}/unpacked)
  file(TOUCH ${stamp})
endfunction()

swivex_fetch_ruffle(${SWIVEX_RUFFLE_ROOT})

# The licence texts as HTML text inside the page's <pre> blocks.
function(swivex_read_as_html file out)
  file(READ ${file} text)
  string(REPLACE "&" "&amp;" text "${text}")
  string(REPLACE "<" "&lt;" text "${text}")
  string(REPLACE ">" "&gt;" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()
swivex_read_as_html(${SWIVEX_RUFFLE_DIR}/LICENSE_MIT SWIVEX_RUFFLE_LICENSE_MIT)
swivex_read_as_html(${SWIVEX_RUFFLE_DIR}/LICENSE_APACHE SWIVEX_RUFFLE_LICENSE_APACHE)
configure_file(${PROJECT_SOURCE_DIR}/playback/PlayerLicences.html.in ${SWIVEX_RUFFLE_LICENCES}
               @ONLY)

find_program(SWIVEX_GZIP gzip REQUIRED)
set(SWIVEX_PLAYER_GZIP_FILES "")
set(list_entries "")
set(index 0)
foreach(entry IN LISTS SWIVEX_RUFFLE_FILES)
  string(REPLACE "|" ";" entry "${entry}")
  list(GET entry 0 plain)
  list(GET entry 1 type)
  get_filename_component(name ${plain} NAME)
  set(compressed ${SWIVEX_RUFFLE_ROOT}/gzip/${name}.gz)
  if(NOT EXISTS ${plain})
    message(FATAL_ERROR "Ruffle: the package has no ${name}")
  endif()
  # -n: no name or time stamp in the header, so that every build makes the same bytes.
  add_custom_command(OUTPUT ${compressed}
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${SWIVEX_RUFFLE_ROOT}/gzip
                     COMMAND ${SWIVEX_GZIP} -9 -n -c ${plain} > ${compressed}.partial
                     COMMAND ${CMAKE_COMMAND} -E rename ${compressed}.partial ${compressed}
                     DEPENDS ${plain}
                     COMMENT "Compressing the player's ${name}")
  list(APPEND SWIVEX_PLAYER_GZIP_FILES ${compressed})
  string(APPEND list_entries "  FILE(${index}, \"${name}\", \"${type}\") \\\n")
  math(EXPR index "${index} + 1")
endforeach()
add_custom_target(swivex_player_files DEPENDS ${SWIVEX_PLAYER_GZIP_FILES})

set(SWIVEX_PLAYER_FILE_LIST_DIR ${CMAKE_BINARY_DIR}/generated)
file(CONFIGURE OUTPUT ${SWIVEX_PLAYER_FILE_LIST_DIR}/playback/PlayerFileList.h
     CONTENT "#pragma once\n\n// Made by the build (cmake/Ruffle.cmake) from ${SWIVEX_RUFFLE_PACKAGE}.\n#define SWIVEX_PLAYER_FILE_COUNT ${index}\n#define SWIVEX_PLAYER_FILES(FILE) \\\n${list_entries}\n")
