#include "screensaver/CopyReplacing.h"

#include "common/FileFailure.h"
#include "common/FileNames.h"
#include "common/SystemErrorText.h"
#include "platform/Desktop.h"
#include "platform/Files.h"
#include "screensaver/SameContents.h"

namespace swivex {

namespace {

// A scratch file beside the target, removed on every way out unless it became the target.
class ScratchFile {
 public:
  ScratchFile(const std::string& folder, Files& files, Desktop& desktop, ErrorCode& error)
      : name_(desktop.CreateScratchFile(folder, error)), files_(files) {}
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;
  ~ScratchFile() {
    if (!name_.empty()) files_.RemoveFile(name_);
  }
  bool Created() const { return !name_.empty(); }
  const std::string& Name() const { return name_; }
  void Keep() { name_.clear(); }

 private:
  std::string name_;
  Files& files_;
};

std::string CopyErrorText(const std::string& source, const std::string& target, ErrorCode error,
                          Files& files) {
  return "Cannot copy file \"" + PathForMessage(source, files) + "\" to \"" + target + "\". " +
         SystemErrorText(error, files);
}

[[noreturn]] void RaiseCopyError(const std::string& source, const std::string& target,
                                 ErrorCode error, Files& files) {
  throw EFCreateError(CopyErrorText(source, target, error, files));
}

}  // namespace

void CopyReplacing(const std::string& source, const std::string& target, Files& files,
                   Desktop& desktop) {
  // A module that the screen saver's preview runs cannot be replaced, even by itself.
  if (HoldSameBytes(source, target, files)) return;
  // CopyFileA straight onto the target would truncate it first.
  const PathResult full = files.FullPathName(target);
  if (full.error != 0) RaiseCopyError(source, target, full.error, files);
  ErrorCode error = 0;
  ScratchFile scratch(FolderPart(full.path, files.Syntax()), files, desktop, error);
  // The scratch file is the first thing written into the target's folder: its refusal is the
  // folder's, never the source's.
  if (!scratch.Created() && error == errors::kAccessDenied)
    throw EFolderRefused(CopyErrorText(source, target, error, files));
  if (!scratch.Created()) RaiseCopyError(source, target, error, files);
  if (!desktop.CopyFileOver(source, scratch.Name(), error) ||
      !desktop.MoveFileOver(scratch.Name(), target, error))
    RaiseCopyError(source, target, error, files);
  scratch.Keep();
}

}  // namespace swivex
