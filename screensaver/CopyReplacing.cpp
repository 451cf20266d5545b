#include "screensaver/CopyReplacing.h"

#include "common/Exceptions.h"
#include "common/FileNames.h"
#include "common/SystemErrorText.h"
#include "platform/Platform.h"

namespace swivex {

namespace {

// A scratch file beside the target, removed on every way out unless it became the target.
class ScratchFile {
 public:
  ScratchFile(const std::string& folder, Platform& platform, ErrorCode& error)
      : name_(platform.CreateScratchFile(folder, error)), platform_(platform) {}
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;
  ~ScratchFile() {
    if (!name_.empty()) platform_.RemoveFile(name_);
  }
  bool Created() const { return !name_.empty(); }
  const std::string& Name() const { return name_; }
  void Keep() { name_.clear(); }

 private:
  std::string name_;
  Platform& platform_;
};

[[noreturn]] void RaiseCopyError(const std::string& source, const std::string& target,
                                 ErrorCode error, Platform& platform) {
  throw EFCreateError("Cannot copy file \"" + platform.FullPathName(source) + "\" to \"" + target +
                      "\". " + SystemErrorText(error, platform));
}

}  // namespace

void CopyReplacing(const std::string& source, const std::string& target, Platform& platform) {
  // CopyFileA straight onto the target would truncate it first.
  ErrorCode error = 0;
  ScratchFile scratch(FolderPart(platform.FullPathName(target), platform), platform, error);
  if (!scratch.Created()) RaiseCopyError(source, target, error, platform);
  if (!platform.CopyFileOver(source, scratch.Name(), error) ||
      !platform.MoveFileOver(scratch.Name(), target, error))
    RaiseCopyError(source, target, error, platform);
  scratch.Keep();
}

}  // namespace swivex
