# Fetches a package from the npm registry into the build folder and checks it before anything of
# it is used: `npm pack` downloads the tarball, and its sha512 must equal the integrity that the
# registry published for it (recorded by the caller). Nothing fetched is kept in the repository.

# Decodes base64 text into lower-case hex digits (npm integrities are base64, CMake hashes hex).
function(swivex_npm_base64_to_hex base64 out)
  set(alphabet "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/")
  set(digits "0123456789abcdef")
  string(REGEX REPLACE "=+$" "" base64 "${base64}")
  string(LENGTH "${base64}" length)
  math(EXPR last "${length} - 1")
  set(hex "")
  set(bits 0)
  set(pending 0)
  foreach(index RANGE ${last})
    string(SUBSTRING "${base64}" ${index} 1 char)
    string(FIND "${alphabet}" "${char}" value)
    if(value LESS 0)
      message(FATAL_ERROR "NpmPackage: '${char}' is not a base64 digit")
    endif()
    math(EXPR bits "(${bits} << 6) | ${value}")
    math(EXPR pending "${pending} + 6")
    if(pending GREATER_EQUAL 8)
      math(EXPR pending "${pending} - 8")
      math(EXPR high "(${bits} >> (${pending} + 4)) & 15")
      math(EXPR low "(${bits} >> ${pending}) & 15")
      math(EXPR bits "${bits} & ((1 << ${pending}) - 1)")
      string(SUBSTRING "${digits}" ${high} 1 high)
      string(SUBSTRING "${digits}" ${low} 1 low)
      string(APPEND hex "${high}${low}")
    endif()
  endforeach()
  set(${out} "${hex}" PARENT_SCOPE)
endfunction()

# swivex_npm_run(step COMMAND...): runs a build step, stops the configuration with its output
# when it fails.
function(swivex_npm_run step)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output
                  ERROR_VARIABLE output)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${step} failed (${result}):\n${output}")
  endif()
endfunction()

# swivex_npm_fetch(package tarball integrity destination): `npm pack`s `package` (name@version)
# into `destination` as `tarball` and refuses it unless it matches `integrity` (sha512-...).
function(swivex_npm_fetch package tarball integrity destination)
  find_program(SWIVEX_NPM npm REQUIRED)
  message(STATUS "NpmPackage: fetching ${package}")
  swivex_npm_run("npm pack ${package}" ${SWIVEX_NPM} pack ${package} --silent
                 --pack-destination ${destination})
  set(path ${destination}/${tarball})
  string(REGEX REPLACE "^sha512-" "" expected "${integrity}")
  swivex_npm_base64_to_hex("${expected}" expected)
  file(SHA512 ${path} actual)
  if(NOT actual STREQUAL expected)
    file(REMOVE ${path})
    message(FATAL_ERROR "NpmPackage: ${tarball} does not match its recorded integrity "
                        "${integrity}; refusing to build from it")
  endif()
endfunction()
