#pragma once

#include <windows.h>

namespace swivex::win {

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
    const auto setDefault = reinterpret_cast<SetDefaultDirectories*>(
        reinterpret_cast<void (*)()>(address));
    setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
  }
  ::SetDllDirectoryA("");
}

}  // namespace swivex::win
