#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>

#include "winsupport/WindowsHandles.h"

namespace swivex::win {

// A library that cannot be loaded, or lacks a function asked for.
class SystemLibraryError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A library of Windows' own that is not one of its KnownDLLs (VERSION.dll, bcrypt.dll), loaded
// when first needed, from the system folder only, instead of being imported: Windows would look
// for an imported one in the program's folder first.
//
// The library is named by its full path in the system folder, not by its bare name: for a bare
// name Windows hands back any library of that name already in the process, wherever it came
// from.
class SystemLibrary {
 public:
  // Raises SystemLibraryError if the library cannot be loaded.
  explicit SystemLibrary(std::string fileName);

  // The library's function `name`, typed as `Signature` (e.g. decltype(::VerQueryValueA));
  // raises SystemLibraryError if the library has none of that name.
  template <typename Signature>
  Signature* Function(const char* name) const {
    // The detour through a function without parameters keeps the compiler from warning about
    // a cast between unrelated function types.
    return reinterpret_cast<Signature*>(reinterpret_cast<void (*)()>(Address(name)));
  }

 private:
  FARPROC Address(const char* name) const;

  std::string fileName_;
  UniqueModule module_;
};

}  // namespace swivex::win
