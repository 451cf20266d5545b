#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/SystemDesktop.h"

namespace swivex::testing {

// The system's copies and existence tests, with the system directory moved to a test folder;
// the announcement and the command line are recorded instead of reaching the desktop.
class InstallerDesktop : public SystemDesktop {
 public:
  std::string systemDirectory;  // without a trailing separator, as the system reports it
  int announcements = 0;
  std::vector<std::pair<std::string, int>> started;  // command line, show mode

  std::string SystemDirectory() override { return systemDirectory; }
  void AnnounceScreenSaverChange() override { ++announcements; }
  void StartCommandLine(const std::string& commandLine, int showMode) override {
    started.emplace_back(commandLine, showMode);
  }
};

}  // namespace swivex::testing
