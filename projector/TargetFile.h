#pragma once

#include <optional>
#include <string>

#include "projector/Conversions.h"
#include "projector/FileStream.h"

namespace swivex {

// A conversion's target while it is being written. The bytes go to a new scratch file in the
// target's folder ("~swivex-" and a random number, made only where no file has that name),
// which takes the target's place in one step when the conversion commits it; until then a file
// already under the target's name is untouched, and held so that no other program opens it
// meanwhile. On every other way out the scratch file is removed.
class TargetFile {
 public:
  // Raises EFCreateError "Cannot create file "<target>". <reason>" when an existing target is
  // held elsewhere (the conversion's own source included) or cannot be written, and
  // "... It is a device, not a file" (a folder, a named pipe, a socket, a link) when the name
  // leads to anything but a file; such a thing is never written nor replaced, with kReplace
  // either. When the scratch file cannot be made the message names it and says why. With
  // kRefuse an existing target raises ETargetExists, and one that appears while the scratch file
  // is written is not replaced either.
  TargetFile(const std::string& name, Files& files,
             ExistingTarget existing = ExistingTarget::kReplace);
  TargetFile(const TargetFile&) = delete;
  TargetFile& operator=(const TargetFile&) = delete;
  ~TargetFile();

  FileStream& Stream() { return scratch_; }
  // Writes the scratch file through to the disk, closes it and puts it in the target's place,
  // keeping an existing target's attributes. Raises EWriteError when the flush or a close fails,
  // EFCreateError when the scratch file cannot take the target's place.
  void Commit();

 private:
  void CreateScratch(const std::string& folder);
  void PutInPlace();
  [[noreturn]] void FailToCreate(ErrorCode error) const;

  std::string name_;
  Files& files_;
  // The existing target, held until it is replaced; none when there is no such file yet.
  std::optional<FileStream> existing_;
  std::string scratchName_;
  FileStream scratch_;
  // Committed: the scratch file became the target. Also set when it holds the only copy of the
  // new bytes after the old target went, which is then not thrown away.
  bool keepScratch_ = false;
};

}  // namespace swivex
