#pragma once

#include <string>
#include <utility>

#include "platform/SystemFiles.h"

namespace swivex::testing {

// The system's files, with the running program moved to `moduleFileName`: the files that ship
// beside the program are then looked up in a test's folder.
class MovedProgramFiles : public SystemFiles {
 public:
  MovedProgramFiles() = default;
  explicit MovedProgramFiles(std::string moduleFile) : moduleFileName(std::move(moduleFile)) {}

  PathResult ModuleFileName() override { return {moduleFileName, 0}; }

  std::string moduleFileName;
};

}  // namespace swivex::testing
