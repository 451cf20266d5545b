#pragma once

#include <windows.h>

#include <cstring>

#include "winsupport/AnsiPathCapacity.h"

namespace swivex::win {

// Header-only and free of exceptions and of the C++ runtime, for the player stub too.

// Loads `fileName` (e.g. "VERSION.dll") by its full path in the system folder, and the libraries
// that it imports from the system folder too; null, with the reason in the last error, if it
// cannot. A Windows 7 without update KB2533623 knows no LOAD_LIBRARY_SEARCH_SYSTEM32; there the
// library's own folder, which is the system folder, is searched for its imports instead.
inline HMODULE LoadFromSystemFolder(const char* fileName) noexcept {
  char path[kAnsiPathCapacity];
  const UINT folderLength = ::GetSystemDirectoryA(path, sizeof path);
  if (folderLength == 0) return nullptr;
  const std::size_t nameLength = std::strlen(fileName);
  if (folderLength + 1 + nameLength >= sizeof path) {
    ::SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return nullptr;
  }
  path[folderLength] = '\\';
  std::memcpy(path + folderLength + 1, fileName, nameLength + 1);
  HMODULE module = ::LoadLibraryExA(path, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (module == nullptr && ::GetLastError() == ERROR_INVALID_PARAMETER)
    module = ::LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  return module;
}

// The first call of every program. Windows looks for a DLL that is not one of its KnownDLLs in
// the program's own folder and the current folder before the system folder; a program started
// from a Downloads folder would run whatever was saved there under such a DLL's name. From here
// on, the libraries that the program, the system or a common dialog loads come from the system
// folder only. (A static import is found before any code runs: only KnownDLLs are imported.)
//
// SetDefaultDllDirectories is looked up rather than imported: a Windows 7 without update
// KB2533623 does not have it and would refuse to start the program. There, taking the current
// folder out of the search is what can be done.
inline void LoadDllsFromSystemFolderOnly() noexcept {
  using SetDefaultDirectories = BOOL WINAPI(DWORD);
  const HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
  const FARPROC address = kernel ? ::GetProcAddress(kernel, "SetDefaultDllDirectories") : nullptr;
  if (address != nullptr) {
    // The detour through a function without parameters keeps the compiler from warning about
    // a cast between unrelated function types.
    const auto setDefault =
        reinterpret_cast<SetDefaultDirectories*>(reinterpret_cast<void (*)()>(address));
    setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
  }
  ::SetDllDirectoryA("");
}

// The second call of a program with windows. The system's own DLLs load the theme library by
// name when the first themed control is drawn, and it loads msimg32.dll to draw with. Where such
// a load goes by the search path that the process started with (a Windows 7 without KB2533623;
// Wine's delayed imports), a file of that name in the program's folder would be taken. Loaded
// here from the system folder, they are found already loaded by name; they stay loaded for the
// process's life.
inline void LoadThemeLibrariesFromSystemFolder() noexcept {
  constexpr const char* kLibraries[] = {"uxtheme.dll", "msimg32.dll"};
  for (const char* library : kLibraries) LoadFromSystemFolder(library);
}

}  // namespace swivex::win
