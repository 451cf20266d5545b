# Compiler settings shared by every target of the project.

# The folder into which every program and file that ships is built: the program folder.
set(SWIVEX_PROGRAM_DIR ${CMAKE_BINARY_DIR}/Swivex)

function(swivex_compile_options target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Werror)
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  if(WIN32)
    # The ANSI ("A") API throughout; no UNICODE.
    target_compile_definitions(${target} PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
  endif()
endfunction()

if(SWIVEX_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

# The Linux programs that ship (build/linux-release): linked statically but for the C library,
# whose objects every Linux has, so that swivexc and every projector run on any current x86-64
# Linux; the libraries found from here on are the static ones. Stripped, and without what nothing
# uses, as on Windows.
if(SWIVEX_STATIC)
  if(WIN32 OR SWIVEX_SANITIZE OR SWIVEX_FUZZ)
    message(FATAL_ERROR "SWIVEX_STATIC is for the Linux programs that ship, without sanitizers")
  endif()
  set(CMAKE_FIND_LIBRARY_SUFFIXES .a)
  set(ZLIB_USE_STATIC_LIBS ON)
  add_compile_options(-ffunction-sections -fdata-sections)
  add_link_options(-static-libstdc++ -static-libgcc -s -Wl,--gc-sections -Wl,--as-needed)
endif()

if(WIN32 AND CMAKE_BUILD_TYPE STREQUAL "Release")
  # The shipped files are stripped, and every function and datum that nothing uses is dropped
  # from them.
  add_compile_options(-ffunction-sections -fdata-sections)
  add_link_options(-s -Wl,--gc-sections)
endif()

# Code whose speed nobody notices (windows, dialogs, texts) is optimised for size, so that the
# program stays small; the conversions' copy loops keep the build's optimisation for speed.
function(swivex_optimise_for_size target)
  if(WIN32 AND CMAKE_BUILD_TYPE STREQUAL "Release")
    target_compile_options(${target} PRIVATE -Os)
  endif()
endfunction()

# A program that ships in the program folder. On Windows it is linked for address-space layout
# randomisation with 64-bit entropy, for no execution of data and as aware of terminal servers
# (no compatibility shims). Most are the linker's defaults today; they are named so that a change
# of tools cannot drop them, and a test reads them back from the shipped files.
function(swivex_program_output target)
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${SWIVEX_PROGRAM_DIR}
                                             LIBRARY_OUTPUT_DIRECTORY ${SWIVEX_PROGRAM_DIR})
  if(WIN32)
    target_link_options(${target} PRIVATE LINKER:--dynamicbase LINKER:--high-entropy-va
                        LINKER:--nxcompat LINKER:--tsaware)
  endif()
endfunction()

# Code that every projector carries (the player stub and the playback room below it) is built for
# size: no C++ runtime beyond the headers (see playback/BoundedText.h), no exceptions, and on
# Windows no RTTI (natively the sanitizers' checks of virtual calls in the tests need it).
# Programs that use exceptions link it as it is.
function(swivex_lean_options target)
  swivex_compile_options(${target})
  target_compile_options(${target} PRIVATE -fno-exceptions)
  if(WIN32)
    target_compile_options(${target} PRIVATE -fno-rtti -Os -ffunction-sections -fdata-sections)
  endif()
endfunction()
