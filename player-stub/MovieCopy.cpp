#include "player-stub/MovieCopy.h"

#include <algorithm>
#include <cstring>

#include "playback/MovieName.h"
#include "playback/StubFileAccess.h"
#include "player-stub/StubFailure.h"

namespace swivex {

namespace {

constexpr char kCopyFolder[] = "Swivex";
// Copies are named "intro.swf", "intro (2).swf", ... up to "intro (999).swf", and written under
// "intro.part", "intro (2).part", ... first.
constexpr unsigned long kMostNames = 999;
constexpr char kCopyExtension[] = ".swf";
constexpr char kScratchExtension[] = ".part";
constexpr std::uint32_t kChunk = 64 * 1024;

bool IsNameTaken(StubError error) {
  return error == stub_errors::kFileExists || error == stub_errors::kAlreadyExists;
}

StubText NumberedName(const StubText& stem, unsigned long number, const char* extension) {
  StubText path(stem.CStr());
  if (number > 1) path.Append(" (").Append(number).Append(")");
  return path.Append(extension);
}

// The folder "Swivex" in the temporary folder, made if it is not there, and the name of the
// movie's copies in it without their number and extension.
bool CopyStem(StubSystem& system, const OwnMovie& own, StubText& stem, StubText& failure) {
  const StubError error = system.TempFolder(stem);
  if (error != stub_errors::kNone)
    return ReportFailure(system, failure, "Cannot find the folder for temporary files.", error);
  stem.Append(kCopyFolder);
  const StubError made = system.CreateFolder(stem.CStr());
  if (made != stub_errors::kNone && made != stub_errors::kAlreadyExists)
    return ReportFailure(system, failure, kCannotSaveMovie, stem, made);
  stem.Append("\\");
  AppendMovieName(stem, own.path.CStr(), system);
  return true;
}

enum class ExistingCopy { None, Same, Other, Failed };

ExistingCopy CheckFailed(StubSystem& system, StubText& failure, const StubText& path,
                         StubError error) {
  ReportFailure(system, failure, kCannotCheckCopy, path, error);
  return ExistingCopy::Failed;
}

// Whether `copy` holds the movie and nothing else, read a chunk at a time.
ExistingCopy CompareWithMovie(StubSystem& system, const OwnMovie& own, OpenStubFile copy,
                              const StubText& copyPath, StubText& failure) {
  std::uint64_t size = 0;
  StubError error = system.FileSize(copy.file, size);
  if (error != stub_errors::kNone) return CheckFailed(system, failure, copyPath, error);
  if (size != own.movie->length) return ExistingCopy::Other;
  // On the stack, which the default 1 MB leaves ample room for: static buffers would be stored
  // in the file, and so in every projector.
  unsigned char movieChunk[kChunk];
  unsigned char copyChunk[kChunk];
  error = system.Seek(own.file.Get().file, own.movie->offset);
  for (std::uint32_t left = own.movie->length; left > 0 && error == stub_errors::kNone;) {
    const std::uint32_t count = std::min(left, kChunk);
    error = ReadExactly(own.file.Get(), movieChunk, count);
    if (error != stub_errors::kNone) break;
    error = ReadExactly(copy, copyChunk, count);
    if (error != stub_errors::kNone) return CheckFailed(system, failure, copyPath, error);
    if (std::memcmp(movieChunk, copyChunk, count) != 0) return ExistingCopy::Other;
    left -= count;
  }
  if (error != stub_errors::kNone) {
    ReportFailure(system, failure, kCannotReadMovie, own.path, error);
    return ExistingCopy::Failed;
  }
  return ExistingCopy::Same;
}

// What lies under the name `path`: nothing, a copy of this movie, or another file.
ExistingCopy ExamineName(StubSystem& system, const OwnMovie& own, const StubText& path,
                         StubText& failure) {
  UniqueStubFile copy;
  StubError error = OpenFileForReading(system, path.CStr(), copy);
  if (error == stub_errors::kFileNotFound) return ExistingCopy::None;
  // Another program holds or guards a file of that name: the name is not free, whatever the
  // file holds.
  if (error == stub_errors::kSharingViolation || error == stub_errors::kAccessDenied)
    return ExistingCopy::Other;
  if (error != stub_errors::kNone) return CheckFailed(system, failure, path, error);
  const ExistingCopy found = CompareWithMovie(system, own, copy.Get(), path, failure);
  if (found == ExistingCopy::Failed) return found;
  error = CloseFile(copy);
  if (error != stub_errors::kNone) return CheckFailed(system, failure, path, error);
  return found;
}

// The file that the movie is written into before it takes a copy's name, so that no reader ever
// takes a copy in the making for a complete one. Deleted on the way out unless it took the name.
class ScratchFile {
 public:
  explicit ScratchFile(StubSystem& system) : system_(system) {}
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;
  ~ScratchFile() {
    if (made_) system_.Delete(path_.CStr());
  }

  bool Made() const { return made_; }

  // Creates the file under the first free scratch name beside the copies named `stem`.
  StubError Create(const StubText& stem, UniqueStubFile& file) {
    StubError error = stub_errors::kFileExists;
    for (unsigned long number = 1; number <= kMostNames && IsNameTaken(error); ++number) {
      path_ = NumberedName(stem, number, kScratchExtension);
      error = CreateNewFile(system_, path_.CStr(), file);
    }
    made_ = error == stub_errors::kNone;
    return error;
  }

  // The file, closed, takes the name `path` unless something has it already.
  StubError RenameTo(const StubText& path) {
    const StubError error = system_.Rename(path_.CStr(), path.CStr());
    if (error == stub_errors::kNone) made_ = false;
    return error;
  }

 private:
  StubSystem& system_;
  StubText path_;
  bool made_ = false;
};

bool CopyMovie(StubSystem& system, const OwnMovie& own, OpenStubFile target,
               const StubText& targetPath, StubText& failure) {
  unsigned char chunk[kChunk];
  StubError error = system.Seek(own.file.Get().file, own.movie->offset);
  for (std::uint32_t left = own.movie->length; left > 0 && error == stub_errors::kNone;) {
    const std::uint32_t count = std::min(left, kChunk);
    error = ReadExactly(own.file.Get(), chunk, count);
    if (error != stub_errors::kNone) break;
    error = WriteExactly(target, chunk, count);
    if (error != stub_errors::kNone)
      return ReportFailure(system, failure, kCannotSaveMovie, targetPath, error);
    left -= count;
  }
  if (error != stub_errors::kNone)
    return ReportFailure(system, failure, kCannotReadMovie, own.path, error);
  return true;
}

// Writes the movie into a new scratch file and closes it, checking that every byte was kept.
// Failures name `targetPath`, the copy that the user would look for.
bool WriteScratch(StubSystem& system, const OwnMovie& own, const StubText& stem,
                  ScratchFile& scratch, const StubText& targetPath, StubText& failure) {
  UniqueStubFile file;
  StubError error = scratch.Create(stem, file);
  if (error == stub_errors::kNone && !CopyMovie(system, own, file.Get(), targetPath, failure))
    return false;
  if (error == stub_errors::kNone) error = system.Flush(file.Get().file);
  if (error == stub_errors::kNone) error = CloseFile(file);
  if (error != stub_errors::kNone)
    return ReportFailure(system, failure, kCannotSaveMovie, targetPath, error);
  return true;
}

}  // namespace

bool SaveMovieCopy(StubSystem& system, const OwnMovie& own, StubText& savedPath,
                   StubText& failure) {
  StubText stem;
  if (!CopyStem(system, own, stem, failure)) return false;
  ScratchFile scratch(system);
  for (unsigned long number = 1; number <= kMostNames; ++number) {
    savedPath = NumberedName(stem, number, kCopyExtension);
    switch (ExamineName(system, own, savedPath, failure)) {
      case ExistingCopy::Same:
        return true;
      case ExistingCopy::Other:
        continue;
      case ExistingCopy::Failed:
        return false;
      case ExistingCopy::None:
        break;
    }
    if (!scratch.Made() && !WriteScratch(system, own, stem, scratch, savedPath, failure))
      return false;
    const StubError error = scratch.RenameTo(savedPath);
    if (error == stub_errors::kNone) return true;
    // Another run of a projector of this name saved its copy meanwhile: try the next name.
    if (!IsNameTaken(error))
      return ReportFailure(system, failure, kCannotSaveMovie, savedPath, error);
  }
  return ReportFailure(system, failure, kCannotSaveMovie, savedPath, stub_errors::kFileExists);
}

}  // namespace swivex
