// File identities through stat().
#include <sys/stat.h>

#include "platform/SystemFileIdentities.h"

namespace swivex {

std::optional<FileIdentity> SystemFileIdentities::IdentityOf(const std::string& name) {
  struct stat info {};
  if (::stat(name.c_str(), &info) != 0) return std::nullopt;
  return FileIdentity{static_cast<std::uint64_t>(info.st_dev),
                      static_cast<std::uint64_t>(info.st_ino)};
}

}  // namespace swivex
