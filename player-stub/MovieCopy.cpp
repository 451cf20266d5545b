#include "player-stub/MovieCopy.h"

#include <algorithm>
#include <cstring>

#include "playback/FileAccess.h"
#include "playback/MovieName.h"
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

bool IsNameTaken(FileError error) {
  return error == file_errors::kFileExists || error == file_errors::kAlreadyExists;
}

BoundedText NumberedName(const BoundedText& stem, unsigned long number, const char* extension) {
  BoundedText path(stem.CStr());
  if (number > 1) path.Append(" (").Append(number).Append(")");
  return path.Append(extension);
}

// The folder "Swivex" in the temporary folder, made if it is not there, and the name of the
// movie's copies in it without their number and extension.
bool CopyStem(FileSystem& system, const OwnMovie& own, BoundedText& stem, BoundedText& failure) {
  const FileError error = system.TempFolder(stem);
  if (error != file_errors::kNone)
    return ReportFailure(system, failure, "Cannot find the folder for temporary files.", error);
  stem.Append(kCopyFolder);
  const FileError made = system.CreateFolder(stem.CStr());
  if (made != file_errors::kNone && made != file_errors::kAlreadyExists)
    return ReportFailure(system, failure, kCannotSaveMovie, stem, made);
  stem.Append("\\");
  AppendMovieName(stem, own.path.CStr(), system);
  return true;
}

enum class ExistingCopy { None, Same, Other, Failed };

ExistingCopy CheckFailed(FileSystem& system, BoundedText& failure, const BoundedText& path,
                         FileError error) {
  ReportFailure(system, failure, kCannotCheckCopy, path, error);
  return ExistingCopy::Failed;
}

// Whether `copy` holds the movie and nothing else, read a chunk at a time.
ExistingCopy CompareWithMovie(FileSystem& system, const OwnMovie& own, OpenedFile copy,
                              const BoundedText& copyPath, BoundedText& failure) {
  std::uint64_t size = 0;
  FileError error = system.FileSize(copy.file, size);
  if (error != file_errors::kNone) return CheckFailed(system, failure, copyPath, error);
  if (size != own.movie->length) return ExistingCopy::Other;
  // On the stack, which the default 1 MB leaves ample room for: static buffers would be stored
  // in the file, and so in every projector.
  unsigned char movieChunk[kChunk];
  unsigned char copyChunk[kChunk];
  error = system.Seek(own.file.Get().file, own.movie->offset);
  for (std::uint32_t left = own.movie->length; left > 0 && error == file_errors::kNone;) {
    const std::uint32_t count = std::min(left, kChunk);
    error = ReadExactly(own.file.Get(), movieChunk, count);
    if (error != file_errors::kNone) break;
    error = ReadExactly(copy, copyChunk, count);
    if (error != file_errors::kNone) return CheckFailed(system, failure, copyPath, error);
    if (std::memcmp(movieChunk, copyChunk, count) != 0) return ExistingCopy::Other;
    left -= count;
  }
  if (error != file_errors::kNone) {
    ReportFailure(system, failure, kCannotReadMovie, own.path, error);
    return ExistingCopy::Failed;
  }
  return ExistingCopy::Same;
}

// What lies under the name `path`: nothing, a copy of this movie, or another file.
ExistingCopy ExamineName(FileSystem& system, const OwnMovie& own, const BoundedText& path,
                         BoundedText& failure) {
  UniqueOpenedFile copy;
  FileError error = OpenFileForReading(system, path.CStr(), copy);
  if (error == file_errors::kFileNotFound) return ExistingCopy::None;
  // Another program holds or guards a file of that name: the name is not free, whatever the
  // file holds.
  if (error == file_errors::kSharingViolation || error == file_errors::kAccessDenied)
    return ExistingCopy::Other;
  if (error != file_errors::kNone) return CheckFailed(system, failure, path, error);
  const ExistingCopy found = CompareWithMovie(system, own, copy.Get(), path, failure);
  if (found == ExistingCopy::Failed) return found;
  error = CloseFile(copy);
  if (error != file_errors::kNone) return CheckFailed(system, failure, path, error);
  return found;
}

// The file that the movie is written into before it takes a copy's name, so that no reader ever
// takes a copy in the making for a complete one. Deleted on the way out unless it took the name.
class ScratchFile {
 public:
  explicit ScratchFile(FileSystem& system) : system_(system) {}
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;
  ~ScratchFile() {
    if (made_) system_.Delete(path_.CStr());
  }

  bool Made() const { return made_; }

  // Creates the file under the first free scratch name beside the copies named `stem`.
  FileError Create(const BoundedText& stem, UniqueOpenedFile& file) {
    FileError error = file_errors::kFileExists;
    for (unsigned long number = 1; number <= kMostNames && IsNameTaken(error); ++number) {
      path_ = NumberedName(stem, number, kScratchExtension);
      error = CreateNewFile(system_, path_.CStr(), file);
    }
    made_ = error == file_errors::kNone;
    return error;
  }

  // The file, closed, takes the name `path` unless something has it already.
  FileError RenameTo(const BoundedText& path) {
    const FileError error = system_.Rename(path_.CStr(), path.CStr());
    if (error == file_errors::kNone) made_ = false;
    return error;
  }

 private:
  FileSystem& system_;
  BoundedText path_;
  bool made_ = false;
};

bool CopyMovie(FileSystem& system, const OwnMovie& own, OpenedFile target,
               const BoundedText& targetPath, BoundedText& failure) {
  unsigned char chunk[kChunk];
  FileError error = system.Seek(own.file.Get().file, own.movie->offset);
  for (std::uint32_t left = own.movie->length; left > 0 && error == file_errors::kNone;) {
    const std::uint32_t count = std::min(left, kChunk);
    error = ReadExactly(own.file.Get(), chunk, count);
    if (error != file_errors::kNone) break;
    error = WriteExactly(target, chunk, count);
    if (error != file_errors::kNone)
      return ReportFailure(system, failure, kCannotSaveMovie, targetPath, error);
    left -= count;
  }
  if (error != file_errors::kNone)
    return ReportFailure(system, failure, kCannotReadMovie, own.path, error);
  return true;
}

// Writes the movie into a new scratch file and closes it, checking that every byte was kept.
// Failures name `targetPath`, the copy that the user would look for.
bool WriteScratch(FileSystem& system, const OwnMovie& own, const BoundedText& stem,
                  ScratchFile& scratch, const BoundedText& targetPath, BoundedText& failure) {
  UniqueOpenedFile file;
  FileError error = scratch.Create(stem, file);
  if (error == file_errors::kNone && !CopyMovie(system, own, file.Get(), targetPath, failure))
    return false;
  if (error == file_errors::kNone) error = system.Flush(file.Get().file);
  if (error == file_errors::kNone) error = CloseFile(file);
  if (error != file_errors::kNone)
    return ReportFailure(system, failure, kCannotSaveMovie, targetPath, error);
  return true;
}

}  // namespace

bool SaveMovieCopy(FileSystem& system, const OwnMovie& own, BoundedText& savedPath,
                   BoundedText& failure) {
  BoundedText stem;
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
    const FileError error = scratch.RenameTo(savedPath);
    if (error == file_errors::kNone) return true;
    // Another run of a projector of this name saved its copy meanwhile: try the next name.
    if (!IsNameTaken(error))
      return ReportFailure(system, failure, kCannotSaveMovie, savedPath, error);
  }
  return ReportFailure(system, failure, kCannotSaveMovie, savedPath, file_errors::kFileExists);
}

}  // namespace swivex
