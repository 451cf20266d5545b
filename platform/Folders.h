#pragma once

#include <string>
#include <vector>

#include "platform/ErrorCode.h"

namespace swivex {

enum class PathKind {
  kMissing,  // nothing there, or nothing the system lets us look at
  kFile,     // a file, also one reached through a link
  kFolder,   // a folder itself, not a link to one: a walk through folders cannot loop
  kOther,    // a link to a folder, a device, ...
};

struct FolderEntry {
  std::string name;  // the name alone, without the folder
  PathKind kind = PathKind::kOther;
};

struct FolderListing {
  std::vector<FolderEntry> entries;  // in the system's order, without "." and ".."
  ErrorCode error = 0;
};

// Folders as the system keeps them: what a name is, what a folder holds, new folders and the
// removal of empty ones.
class Folders {
 public:
  virtual ~Folders() = default;

  virtual PathKind KindOf(const std::string& name) = 0;
  virtual FolderListing List(const std::string& folder) = 0;
  // Creates the folder `name` in an existing folder; a folder of that name already there counts
  // as created.
  virtual ErrorCode CreateFolder(const std::string& name) = 0;
  // Removes the folder `name` if it is empty; a folder that holds anything stays.
  virtual ErrorCode RemoveEmptyFolder(const std::string& name) = 0;
};

}  // namespace swivex
