// File identities through the ANSI Win32 API.
#include <windows.h>

#include "platform/SystemFileIdentities.h"
#include "winsupport/WindowsHandles.h"

namespace swivex {

std::optional<FileIdentity> SystemFileIdentities::IdentityOf(const std::string& name) {
  // Asking for the attributes alone, with every kind of sharing, conflicts with no other open,
  // not even one that shares nothing.
  const win::UniqueFile file(::CreateFileA(
      name.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  BY_HANDLE_FILE_INFORMATION info{};
  if (!file || !::GetFileInformationByHandle(file.Get(), &info)) return std::nullopt;
  return FileIdentity{info.dwVolumeSerialNumber,
                      static_cast<std::uint64_t>(info.nFileIndexHigh) << 32 | info.nFileIndexLow};
}

}  // namespace swivex
