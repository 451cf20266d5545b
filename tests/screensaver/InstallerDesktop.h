#pragma once

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/SystemDesktop.h"

namespace swivex::testing {

// The system's copies and existence tests, with the system directory and the user's data folder
// moved to test folders; the announcement and the command line are recorded instead of reaching
// the desktop. Folder lookups and scratch files can be made to fail, and copies are counted.
class InstallerDesktop : public SystemDesktop {
 public:
  std::string systemDirectory;  // without a trailing separator, as the system reports it
  ErrorCode systemDirectoryError = 0;
  std::string localAppData;  // likewise
  ErrorCode localAppDataError = 0;
  std::map<std::string, std::string> shortNames;  // long name to short; others have none
  // The error for a scratch file in a folder (with its trailing separator); 0 lets it be made.
  std::function<ErrorCode(const std::string& folder)> scratchFileError;
  int copies = 0;
  int announcements = 0;
  std::vector<std::pair<std::string, int>> started;  // command line, show mode

  PathResult SystemDirectory() override {
    if (systemDirectoryError != 0) return {{}, systemDirectoryError};
    return {systemDirectory, 0};
  }
  PathResult LocalAppDataDirectory() override {
    if (localAppDataError != 0) return {{}, localAppDataError};
    return {localAppData, 0};
  }
  PathResult ShortPathName(const std::string& name) override {
    const auto found = shortNames.find(name);
    if (found == shortNames.end()) return {{}, errors::kFileNotFound};
    return {found->second, 0};
  }
  std::string CreateScratchFile(const std::string& folder, ErrorCode& error) override {
    if (scratchFileError) {
      if (const ErrorCode refusal = scratchFileError(folder)) {
        error = refusal;
        return {};
      }
    }
    return SystemDesktop::CreateScratchFile(folder, error);
  }
  bool CopyFileOver(const std::string& from, const std::string& to, ErrorCode& error) override {
    ++copies;
    return SystemDesktop::CopyFileOver(from, to, error);
  }
  void AnnounceScreenSaverChange() override { ++announcements; }
  void StartCommandLine(const std::string& commandLine, int showMode) override {
    started.emplace_back(commandLine, showMode);
  }
};

}  // namespace swivex::testing
