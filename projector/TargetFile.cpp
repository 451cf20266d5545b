#include "projector/TargetFile.h"

#include <cstdio>

#include "common/Exceptions.h"
#include "common/FileFailure.h"
#include "common/FileNames.h"

namespace swivex {

namespace {

// Scratch names tried before giving up: "~swivex-0000.tmp" and on.
constexpr unsigned kScratchNames = 100;

// Where the next search for a free scratch name starts, so that one run does not try the
// names its earlier conversions already used.
unsigned nextScratchNumber = 0;

std::string ScratchName(const std::string& folder, unsigned number) {
  char name[32];
  std::snprintf(name, sizeof name, "~swivex-%04X.tmp", number & 0xFFFFu);
  return folder + name;
}

std::string KindName(FileKind kind) {
  switch (kind) {
    case FileKind::kFolder:
      return "a folder";
    case FileKind::kDevice:
      return "a device";
    case FileKind::kPipe:
      return "a named pipe";
    case FileKind::kSocket:
      return "a socket";
    case FileKind::kLink:
      return "a link";
    case FileKind::kFile:
      break;
  }
  return "a file";
}

std::optional<FileStream> HoldExisting(const std::string& name, Files& files, ErrorCode& error) {
  const FileResult held = files.OpenWritableExclusive(name);
  if (held.kind != FileKind::kFile) {
    throw EFCreateError("Cannot create file \"" + PathForMessage(name, files) + "\". It is " +
                        KindName(held.kind) + ", not a file");
  }
  error = held.file == kNoFile && held.error != errors::kFileNotFound ? held.error : 0;
  if (held.file == kNoFile) return std::nullopt;
  return FileStream(held.file, files, FileStream::Direction::Write);
}

}  // namespace

TargetFile::TargetFile(const std::string& name, Files& files, ExistingTarget existing)
    : name_(name), files_(files), scratch_(kNoFile, files, FileStream::Direction::Write) {
  ErrorCode error = 0;
  existing_ = HoldExisting(name, files, error);
  if (existing == ExistingTarget::kRefuse && (existing_ || error == errors::kSharingViolation))
    throw ETargetExists(FileFailureText("Cannot create file", name, errors::kFileExists, files));
  if (error != 0) FailToCreate(error);
  const PathResult full = files.FullPathName(name);
  if (full.error != 0) FailToCreate(full.error);
  CreateScratch(FolderPart(full.path, files.Syntax()));
}

TargetFile::~TargetFile() {
  if (keepScratch_) return;
  scratch_.Abandon();
  files_.RemoveFile(scratchName_);
}

void TargetFile::FailToCreate(ErrorCode error) const {
  throw EFCreateError(FileFailureText("Cannot create file", name_, error, files_));
}

void TargetFile::CreateScratch(const std::string& folder) {
  ErrorCode error = errors::kFileExists;
  for (unsigned tried = 0; tried < kScratchNames; ++tried) {
    const std::string candidate = ScratchName(folder, nextScratchNumber++);
    const FileResult created = files_.CreateNewFileExclusive(candidate);
    if (created.file != kNoFile) {
      scratchName_ = candidate;
      scratch_ = FileStream(created.file, files_, FileStream::Direction::Write);
      return;
    }
    error = created.error;
    if (error != errors::kFileExists) break;
  }
  FailToCreate(error);
}

void TargetFile::Commit() {
  scratch_.Flush();
  scratch_.Close();
  PutInPlace();
  keepScratch_ = true;
}

void TargetFile::PutInPlace() {
  if (!existing_) {
    if (const ErrorCode error = files_.RenameFile(scratchName_, name_)) FailToCreate(error);
    return;
  }
  existing_->Close();
  const ErrorCode error = files_.ReplaceExisting(name_, scratchName_);
  if (error == 0) return;
  if (error != errors::kUnableToMoveReplacement) FailToCreate(error);
  // The old target is gone already and the new one still has the scratch name: finish the move,
  // or keep the new bytes where they are and say so, rather than lose both.
  const ErrorCode renameError = files_.RenameFile(scratchName_, name_);
  if (renameError == 0) return;
  keepScratch_ = true;
  throw EFCreateError(FileFailureText("Cannot create file", name_, renameError, files_) +
                      ". The new file was kept as \"" + scratchName_ + "\"");
}

}  // namespace swivex
