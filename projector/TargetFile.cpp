#include "projector/TargetFile.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <random>

#include "common/Exceptions.h"
#include "common/FileFailure.h"
#include "common/FileNames.h"

namespace swivex {

namespace {

// A random part this long makes a clash with the left-overs of runs that never cleaned up (a
// crash, a power cut) so unlikely that a few tries always find a free name.
constexpr unsigned kScratchAttempts = 16;

std::uint64_t RandomSeed() {
  std::uint64_t seed = static_cast<std::uint64_t>(
      std::chrono::high_resolution_clock::now().time_since_epoch().count());
  try {
    std::random_device device;
    seed ^= std::uint64_t{device()} << 32 | device();
  } catch (const std::exception&) {
    // No source of entropy: the clock alone still differs from run to run.
  }
  return seed;
}

// "~swivex-" and 64 random bits: recognisably ours, and new in every run.
std::string ScratchName(const std::string& folder) {
  thread_local std::mt19937_64 numbers(RandomSeed());
  char name[32];
  std::snprintf(name, sizeof name, "~swivex-%016llx.tmp",
                static_cast<unsigned long long>(numbers()));
  return folder + name;
}

std::optional<FileStream> HoldExisting(const std::string& name, Files& files, ErrorCode& error) {
  const FileResult held = files.OpenWritableExclusive(name);
  if (held.kind != FileKind::kFile) {
    throw EFCreateError(NotAFileText("Cannot create file", name, held.kind, files));
  }
  // Without its folder there is no target either; making the scratch file then tells why.
  const bool missing = held.error == errors::kFileNotFound || held.error == errors::kPathNotFound;
  error = held.file == kNoFile && !missing ? held.error : 0;
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
  for (unsigned tried = 1;; ++tried) {
    const std::string candidate = ScratchName(folder);
    const FileResult created = files_.CreateNewFileExclusive(candidate);
    if (created.file != kNoFile) {
      scratchName_ = candidate;
      scratch_ = FileStream(created.file, files_, FileStream::Direction::Write);
      return;
    }
    // The scratch file is what could not be made: its name and the reason, not the target's.
    if (created.error != errors::kFileExists || tried == kScratchAttempts)
      throw EFCreateError(FileFailureText("Cannot create file", candidate, created.error, files_));
  }
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
