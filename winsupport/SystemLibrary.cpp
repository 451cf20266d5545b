#include "winsupport/SystemLibrary.h"

#include <utility>

#include "winsupport/MessageTrimming.h"
#include "winsupport/SystemDllSearch.h"
#include "winsupport/SystemMessage.h"

namespace swivex::win {

SystemLibrary::SystemLibrary(std::string fileName) : fileName_(std::move(fileName)) {
  const HMODULE module = LoadFromSystemFolder(fileName_.c_str());
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
