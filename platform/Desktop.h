#pragma once

#include <string>

#include "platform/ErrorCode.h"
#include "platform/FileTypes.h"

namespace swivex {

// The system directory, the user's own data folder, whole-file copies and the desktop's settings
// and programs: what the screen-saver installation needs beyond reading and writing files.
class Desktop {
 public:
  virtual ~Desktop() = default;

  // Without a trailing separator, as the system reports it.
  virtual PathResult SystemDirectory() = 0;
  // The current user's own folder for programs' local data (%LOCALAPPDATA%), which every user
  // may write; created if it is missing, without a trailing separator.
  virtual PathResult LocalAppDataDirectory() = 0;
  // Creates the folder `name` in an existing folder; a folder of that name already there counts
  // as created.
  virtual ErrorCode CreateFolder(const std::string& name) = 0;
  // The short (8.3) form of an existing file's name, as far as the system keeps short names;
  // the name itself where it keeps none.
  virtual PathResult ShortPathName(const std::string& name) = 0;
  // Creates a new empty file with a unique name in `folder` and returns its name; empty and
  // `error` set on failure.
  virtual std::string CreateScratchFile(const std::string& folder, ErrorCode& error) = 0;
  // Copies `from` over `to`, replacing its contents.
  virtual bool CopyFileOver(const std::string& from, const std::string& to, ErrorCode& error) = 0;
  // Renames `from` to `to`, replacing a file of that name in one step.
  virtual bool MoveFileOver(const std::string& from, const std::string& to, ErrorCode& error) = 0;
  // True if the name denotes an existing file that is not a directory (hidden and system files
  // count) whose last-write time is a local date from 1980 on; any failure counts as false.
  virtual bool FileExists(const std::string& name) = 0;
  // Tells running programs that the screen-saver setting changed, without changing any setting.
  virtual void AnnounceScreenSaverChange() = 0;
  virtual void StartCommandLine(const std::string& commandLine, int showMode) = 0;
};

}  // namespace swivex
