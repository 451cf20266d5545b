#include "playback/PosixFileSystem.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string_view>

namespace swivex {

namespace {

// errno values outside this table keep their number above this mark.
constexpr FileError kErrnoMark = 0x20000000;

struct ErrorMatch {
  int errnoValue;
  FileError code;
};

constexpr ErrorMatch kMatches[] = {
    {ENOENT, file_errors::kFileNotFound},
    {ENOTDIR, file_errors::kPathNotFound},
    {EACCES, file_errors::kAccessDenied},
    {EPERM, file_errors::kAccessDenied},
    {EBUSY, file_errors::kSharingViolation},
    {EEXIST, file_errors::kFileExists},
    {ENOSPC, file_errors::kDiskFull},
    {ENAMETOOLONG, file_errors::kFilenameTooLong},
    // Only for the words: EEXIST translates into kFileExists, the first match.
    {EEXIST, file_errors::kAlreadyExists},
};

FileError Translated(int errnoValue) {
  for (const ErrorMatch& match : kMatches)
    if (match.errnoValue == errnoValue) return match.code;
  return kErrnoMark | static_cast<FileError>(errnoValue);
}

FileError LastError() { return Translated(errno); }

FileError ErrorUnless(bool succeeded) { return succeeded ? file_errors::kNone : LastError(); }

int DescriptorOf(FileHandle file) { return static_cast<int>(file - 1); }

FileError Opened(int descriptor, FileHandle& file) {
  if (descriptor < 0) return LastError();
  file = static_cast<FileHandle>(descriptor) + 1;
  return file_errors::kNone;
}

// Opens one name in `folder` without following a link there. Reading a FIFO's name must not
// wait for a writer, hence O_NONBLOCK; a regular file ignores it.
int OpenName(int folder, std::string_view name, int flags) {
  char buffer[256];
  if (name.size() >= sizeof buffer) {
    errno = ENAMETOOLONG;
    return -1;
  }
  memcpy(buffer, name.data(), name.size());
  buffer[name.size()] = '\0';
  return openat(folder, buffer, flags | O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
}

}  // namespace

FileError PosixFileSystem::OwnPath(BoundedText& path) {
  char buffer[BoundedText::kCapacity];
  const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer);
  if (length < 0) return LastError();
  if (static_cast<size_t>(length) >= sizeof buffer) return file_errors::kFilenameTooLong;
  path.Append(buffer, buffer + length);
  return file_errors::kNone;
}

FileError PosixFileSystem::TempFolder(BoundedText& folder) {
  const char* variable = getenv("TMPDIR");
  folder.Append(variable && *variable ? variable : "/tmp");
  if (folder.CStr()[folder.Length() - 1] != '/') folder.Append("/");
  return file_errors::kNone;
}

FileError PosixFileSystem::CreateFolder(const char* path) {
  if (mkdir(path, 0700) == 0) return file_errors::kNone;
  return errno == EEXIST ? file_errors::kAlreadyExists : LastError();
}

FileError PosixFileSystem::OpenForReading(const char* path, FileHandle& file) {
  return Opened(open(path, O_RDONLY | O_CLOEXEC), file);
}

FileError PosixFileSystem::OpenBelow(const char* folder, const char* relative, FileHandle& file) {
  int current = open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (current < 0) return LastError();
  std::string_view rest(relative);
  for (std::size_t slash = rest.find('/'); slash != std::string_view::npos;
       slash = rest.find('/')) {
    const int next = OpenName(current, rest.substr(0, slash), O_DIRECTORY);
    const int saved = errno;
    close(current);
    if (next < 0) return Translated(saved == ELOOP ? ENOENT : saved);
    current = next;
    rest.remove_prefix(slash + 1);
  }
  const int opened = OpenName(current, rest, 0);
  const int saved = errno;
  close(current);
  // ELOOP: the name is a link, which is not followed.
  if (opened < 0) return Translated(saved == ELOOP ? ENOENT : saved);
  struct stat status;
  if (fstat(opened, &status) != 0 || !S_ISREG(status.st_mode)) {
    close(opened);
    return file_errors::kFileNotFound;
  }
  return Opened(opened, file);
}

FileError PosixFileSystem::CreateNewFile(const char* path, FileHandle& file) {
  return Opened(open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600), file);
}

FileError PosixFileSystem::FileSize(FileHandle file, std::uint64_t& size) {
  struct stat status;
  if (fstat(DescriptorOf(file), &status) != 0) return LastError();
  size = static_cast<std::uint64_t>(status.st_size);
  return file_errors::kNone;
}

FileError PosixFileSystem::Seek(FileHandle file, std::uint64_t offset) {
  return ErrorUnless(lseek(DescriptorOf(file), static_cast<off_t>(offset), SEEK_SET) >= 0);
}

FileError PosixFileSystem::Read(FileHandle file, void* buffer, std::uint32_t count,
                                std::uint32_t& done) {
  const ssize_t moved = read(DescriptorOf(file), buffer, count);
  done = moved > 0 ? static_cast<std::uint32_t>(moved) : 0;
  return ErrorUnless(moved >= 0);
}

FileError PosixFileSystem::Write(FileHandle file, const void* bytes, std::uint32_t count,
                                 std::uint32_t& done) {
  const ssize_t moved = write(DescriptorOf(file), bytes, count);
  done = moved > 0 ? static_cast<std::uint32_t>(moved) : 0;
  return ErrorUnless(moved >= 0);
}

FileError PosixFileSystem::Flush(FileHandle file) {
  return ErrorUnless(fsync(DescriptorOf(file)) == 0);
}

FileError PosixFileSystem::Close(FileHandle file) {
  return ErrorUnless(close(DescriptorOf(file)) == 0);
}

FileError PosixFileSystem::Rename(const char* from, const char* to) {
  // link() never replaces: a taken name fails with EEXIST, as MoveFileExA does without
  // MOVEFILE_REPLACE_EXISTING.
  if (link(from, to) != 0) return LastError();
  return ErrorUnless(unlink(from) == 0);
}

FileError PosixFileSystem::Delete(const char* path) { return ErrorUnless(unlink(path) == 0); }

bool PosixFileSystem::IsLeadByte(unsigned char) { return false; }

void PosixFileSystem::AppendErrorText(BoundedText& text, FileError error) {
  int errnoValue = static_cast<int>(error & ~kErrnoMark);
  if ((error & kErrnoMark) == 0) {
    if (error == file_errors::kHandleEof) {
      text.Append("Reached the end of the file");
      return;
    }
    for (const ErrorMatch& match : kMatches) {
      if (match.code != error) continue;
      errnoValue = match.errnoValue;
      break;
    }
  }
  text.Append(strerror(errnoValue));
}

}  // namespace swivex
