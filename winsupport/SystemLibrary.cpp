#include "winsupport/SystemLibrary.h"

#include <utility>

#include "winsupport/AnsiPathCapacity.h"
#include "winsupport/MessageTrimming.h"
#include "winsupport/SystemMessage.h"

namespace swivex::win {

namespace {

// The library's full path, or empty text with the reason in the last error.
std::string SystemFolderPath(const std::string& fileName) {
  char folder[kAnsiPathCapacity];
  const UINT length = ::GetSystemDirectoryA(folder, sizeof folder);
  if (length == 0) return {};
  if (length >= sizeof folder) {
    ::SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return {};
  }
  return std::string(folder, length) + "\\" + fileName;
}

// Loads the library and, with LOAD_LIBRARY_SEARCH_SYSTEM32, the libraries it imports from the
// system folder too. A Windows 7 without update KB2533623 knows no such flag; there the
// library's own folder, which is the system folder, is searched for them instead.
HMODULE LoadFromSystemFolder(const std::string& path) {
  if (path.empty()) return nullptr;
  HMODULE module = ::LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (module == nullptr && ::GetLastError() == ERROR_INVALID_PARAMETER)
    module = ::LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  return module;
}

}  // namespace

SystemLibrary::SystemLibrary(std::string fileName) : fileName_(std::move(fileName)) {
  const HMODULE module = LoadFromSystemFolder(SystemFolderPath(fileName_));
  const DWORD error = ::GetLastError();
  module_.Reset(module);
  if (module_) return;
  const std::string reason = SystemMessage(error);
  throw SystemLibraryError("Cannot load " + fileName_ + " from the Windows system folder. " +
                           reason.substr(0, TrimmedMessageLength(reason.data(), reason.size())));
}

FARPROC SystemLibrary::Address(const char* name) const {
  if (const FARPROC address = ::GetProcAddress(module_.Get(), name)) return address;
  throw SystemLibraryError(fileName_ + " in the Windows system folder has no function " + name +
                           ".");
}

}  // namespace swivex::win
