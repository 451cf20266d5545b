#pragma once

#include "platform/FileIdentity.h"

namespace swivex {

// The volume's serial number and the file's index on Windows (GetFileInformationByHandle), the
// device and inode elsewhere (stat). Neither needs the file to be free of other programs.
class SystemFileIdentities : public FileIdentities {
 public:
  std::optional<FileIdentity> IdentityOf(const std::string& name) override;
};

}  // namespace swivex
