// The native build has no system directory of Windows' kind, no registry and no control panel.
// Copies and existence tests work on the real file system; the registry operations fail with
// ENOSYS, so the logic takes its error paths; tests that need a registry supply one of their own.
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>

#include "platform/PosixPlatform.h"

namespace swivex {

std::string PosixPlatform::SystemDirectory() {
  std::error_code failed;
  auto folder = std::filesystem::temp_directory_path(failed);
  return failed ? std::string("/tmp") : folder.string();
}

bool PosixPlatform::CopyFileOver(const std::string& from, const std::string& to, ErrorCode& error) {
  std::error_code failed;
  std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing, failed);
  if (!failed) return true;
  error = static_cast<ErrorCode>(failed.value());
  return false;
}

bool PosixPlatform::FileExists(const std::string& name) {
  struct stat info;
  return ::stat(name.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

KeyResult PosixPlatform::OpenCurrentUserKey(const std::string&) { return {kNoKey, ENOSYS}; }

ValueInfo PosixPlatform::QueryValueInfo(NativeKey, const std::string&) { return {0, 0, ENOSYS}; }

ErrorCode PosixPlatform::QueryValueData(NativeKey, const std::string&,
                                        std::vector<unsigned char>&) {
  return ENOSYS;
}

ErrorCode PosixPlatform::SetStringValue(NativeKey, const std::string&, const std::string&) {
  return ENOSYS;
}

void PosixPlatform::CloseKey(NativeKey) {}

void PosixPlatform::AnnounceScreenSaverChange() {}

void PosixPlatform::StartCommandLine(const std::string&, int) {}

}  // namespace swivex
