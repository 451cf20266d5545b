#pragma once

#include "platform/Folders.h"

namespace swivex {

// The folders of the system the program was built for: FindFirstFileA and its kin on Windows,
// opendir and stat elsewhere.
class SystemFolders : public Folders {
 public:
  PathKind KindOf(const std::string& name) override;
  FolderListing List(const std::string& folder) override;
  ErrorCode CreateFolder(const std::string& name) override;
  ErrorCode RemoveEmptyFolder(const std::string& name) override;
};

}  // namespace swivex
