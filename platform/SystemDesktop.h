#pragma once

#include "platform/Desktop.h"

namespace swivex {

// The system directory, copies and the desktop of the system the program was built for. The
// native build copies and tests files on the real file system; it has no control panel, no short
// names and no one to tell of a changed setting.
class SystemDesktop : public Desktop {
 public:
  PathResult SystemDirectory() override;
  PathResult LocalAppDataDirectory() override;
  ErrorCode CreateFolder(const std::string& name) override;
  PathResult ShortPathName(const std::string& name) override;
  std::string CreateScratchFile(const std::string& folder, ErrorCode& error) override;
  bool CopyFileOver(const std::string& from, const std::string& to, ErrorCode& error) override;
  bool MoveFileOver(const std::string& from, const std::string& to, ErrorCode& error) override;
  bool FileExists(const std::string& name) override;
  void AnnounceScreenSaverChange() override;
  void StartCommandLine(const std::string& commandLine, int showMode) override;
};

}  // namespace swivex
