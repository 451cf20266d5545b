#pragma once

#include <string>
#include <vector>

#include "console/Commands.h"

namespace swivex::console {

// Makes `folder` exist, with the folders it lies in. Raises EFCreateError "Cannot create folder
// "<path>". <reason>".
void EnsureFolder(const std::string& folder, ConsoleSystem& system);

// The folders that one file's work made, removed again, the innermost first, unless the work
// succeeded: a failed or cancelled file leaves no empty folder of its own behind. A folder that
// holds anything by then stays.
class MadeFolders {
 public:
  explicit MadeFolders(ConsoleSystem& system) : system_(system) {}
  MadeFolders(const MadeFolders&) = delete;
  MadeFolders& operator=(const MadeFolders&) = delete;
  ~MadeFolders();

  // EnsureFolder, which notes each folder that it creates.
  void Ensure(const std::string& folder);
  void Keep() { made_.clear(); }

 private:
  ConsoleSystem& system_;
  std::vector<std::string> made_;  // outermost first
};

}  // namespace swivex::console
