# Reads each of IMAGES with the mingw binutils' OBJDUMP and fails, naming the file, unless
#   - its DllCharacteristics have HIGH_ENTROPY_VA (0x20), DYNAMIC_BASE (0x40), NX_COMPAT (0x100)
#     and TERMINAL_SERVER_AWARE (0x8000), and its relocations are not stripped (0x1 in its
#     Characteristics), without which the randomisation has nothing to move;
#   - no section is both executable and writable (objdump shows CODE without READONLY);
#   - every DLL that it imports is one of Windows' KnownDLLs, which are taken from the system
#     folder whatever lies beside the program; or ntdll.dll, in every process before any other;
#     or COMCTL32.dll when its manifest names Common Controls 6, which Windows then takes from
#     its side-by-side store.
cmake_minimum_required(VERSION 3.25)

# HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\KnownDLLs of Windows 10 and 11.
set(known_dlls
    advapi32.dll clbcatq.dll combase.dll comdlg32.dll coml2.dll difxapi.dll gdi32.dll
    gdiplus.dll imagehlp.dll imm32.dll kernel32.dll msctf.dll msvcrt.dll normaliz.dll nsi.dll
    ole32.dll oleaut32.dll psapi.dll rpcrt4.dll sechost.dll setupapi.dll shcore.dll shell32.dll
    shlwapi.dll user32.dll wldap32.dll ws2_32.dll)

set(failures "")
macro(fail image text)
  get_filename_component(name "${image}" NAME)
  string(APPEND failures "${name}: ${text}\n")
endmacro()

foreach(image IN LISTS IMAGES)
  if(NOT EXISTS "${image}")
    fail("${image}" "missing")
    continue()
  endif()
  execute_process(COMMAND ${OBJDUMP} -p "${image}" OUTPUT_VARIABLE headers RESULT_VARIABLE status)
  execute_process(COMMAND ${OBJDUMP} -h "${image}" OUTPUT_VARIABLE sections)
  if(NOT status EQUAL 0)
    fail("${image}" "objdump cannot read it")
    continue()
  endif()

  string(REGEX MATCH "\nDllCharacteristics[ \t]+([0-9a-fA-F]+)" found "${headers}")
  math(EXPR flags "0x${CMAKE_MATCH_1} & 0x8160" OUTPUT_FORMAT HEXADECIMAL)
  if(NOT flags STREQUAL "0x8160")
    fail("${image}" "DllCharacteristics 0x${CMAKE_MATCH_1} lack some of 0x8160")
  endif()
  string(REGEX MATCH "\nCharacteristics[ \t]+0x([0-9a-fA-F]+)" found "${headers}")
  math(EXPR stripped "0x${CMAKE_MATCH_1} & 0x1")
  if(NOT found OR NOT stripped EQUAL 0)
    fail("${image}" "its relocations are stripped (Characteristics 0x${CMAKE_MATCH_1})")
  endif()

  # Each section is a line with its name, then a line of flags.
  string(REGEX MATCHALL "[ \t]+[0-9]+ [^ \t\n]+[^\n]*\n[ \t]+[A-Z, ]+" entries "${sections}")
  foreach(entry IN LISTS entries)
    if(entry MATCHES "CODE" AND NOT entry MATCHES "READONLY")
      string(REGEX MATCH "[0-9]+ ([^ \t\n]+)" ignored "${entry}")
      fail("${image}" "section ${CMAKE_MATCH_1} is both executable and writable")
    endif()
  endforeach()

  file(STRINGS "${image}" common_controls REGEX "Microsoft\\.Windows\\.Common-Controls")
  string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
  foreach(import IN LISTS imports)
    string(REPLACE "DLL Name: " "" dll "${import}")
    string(STRIP "${dll}" dll)
    string(TOLOWER "${dll}" lower)
    if(lower IN_LIST known_dlls OR lower STREQUAL "ntdll.dll")
      continue()
    endif()
    if(lower STREQUAL "comctl32.dll" AND common_controls)
      continue()
    endif()
    fail("${image}" "imports ${dll}, which Windows would look for beside the program first")
  endforeach()
endforeach()

if(failures)
  message(FATAL_ERROR "${failures}")
endif()
list(LENGTH IMAGES count)
message(STATUS "${count} shipped images: ASLR (high entropy), DEP, terminal-server aware, no "
               "writable code, KnownDLL imports only")
