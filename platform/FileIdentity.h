#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>

namespace swivex {

// Which file a name leads to, however the name is spelled: "a.swf", "./A.SWF" on Windows, a
// link or a second hard link to it all give one identity.
struct FileIdentity {
  std::uint64_t volume = 0;
  std::uint64_t file = 0;

  friend auto operator<=>(const FileIdentity&, const FileIdentity&) = default;
};

class FileIdentities {
 public:
  virtual ~FileIdentities() = default;

  // Nothing for a name that leads to no file, or to none the system lets us look at.
  virtual std::optional<FileIdentity> IdentityOf(const std::string& name) = 0;
};

}  // namespace swivex
