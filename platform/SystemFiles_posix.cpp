// Files, paths and system messages through POSIX calls.
//
// POSIX has no share modes. The exclusive opens take a non-blocking exclusive flock() on the
// open file description right after opening: flock() locks conflict between any two
// descriptions of the same file (same device and inode), whether they belong to this process or
// another, so a second exclusive open fails just as a share-mode-0 open fails on Windows. Only
// openers that honour the lock are kept out, which is every opener in this program.
#include <fcntl.h>
#include <limits.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/SystemFiles.h"

namespace swivex {

namespace {

ErrorCode LastErrno() { return static_cast<ErrorCode>(errno); }

FileKind KindOfMode(mode_t mode) {
  if (S_ISREG(mode)) return FileKind::kFile;
  if (S_ISDIR(mode)) return FileKind::kFolder;
  if (S_ISLNK(mode)) return FileKind::kLink;
  if (S_ISFIFO(mode)) return FileKind::kPipe;
  if (S_ISSOCK(mode)) return FileKind::kSocket;
  return FileKind::kDevice;  // character and block devices
}

enum class Accepted { kAnything, kFilesOnly };

FileResult OpenLocked(const std::string& name, int flags, Accepted accepted) {
  const int fd = ::open(name.c_str(), flags | O_CLOEXEC, 0666);
  if (fd < 0) return {kNoFile, LastErrno()};
  struct stat info {};
  FileResult result{fd, 0};
  if (::fstat(fd, &info) != 0) {
    result = {kNoFile, LastErrno()};
  } else if (accepted == Accepted::kFilesOnly && !S_ISREG(info.st_mode)) {
    result = {kNoFile, 0, KindOfMode(info.st_mode)};
  } else if (S_ISDIR(info.st_mode)) {
    result = {kNoFile, EISDIR};
  } else if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    result = {kNoFile, errno == EWOULDBLOCK ? errors::kSharingViolation : LastErrno()};
  }
  if (result.file == kNoFile) ::close(fd);
  return result;
}

ErrorCode Outcome(int result) { return result == 0 ? 0 : LastErrno(); }

// File names are bytes: no byte starts a character of two.
bool NeverLeadByte(unsigned char) { return false; }

}  // namespace

FileResult SystemFiles::OpenFileExclusive(const std::string& name) {
  // A source is what its name leads to, through links. What is no file is not opened at all
  // where the name says so, as for a target.
  struct stat reached {};
  if (::stat(name.c_str(), &reached) != 0) return {kNoFile, LastErrno()};
  if (!S_ISREG(reached.st_mode)) return {kNoFile, 0, KindOfMode(reached.st_mode)};
  // The name may lead elsewhere by now: the open waits for no writer of a pipe (it would wait
  // in the kernel, deaf to requests to stop), and what it reached decides.
  return OpenLocked(name, O_RDONLY | O_NONBLOCK | O_NOCTTY, Accepted::kFilesOnly);
}

FileResult SystemFiles::OpenWritableExclusive(const std::string& name) {
  // What is no file is not opened at all where the name says so: a device's driver sees every
  // open (a watchdog starts counting, a tape rewinds).
  struct stat own {};
  if (::lstat(name.c_str(), &own) != 0) return {kNoFile, LastErrno()};
  if (!S_ISREG(own.st_mode)) return {kNoFile, 0, KindOfMode(own.st_mode)};
  // The name may lead elsewhere by now: the open itself follows no link and waits for no other
  // end of a pipe, and what it reached decides.
  return OpenLocked(name, O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY, Accepted::kFilesOnly);
}

FileResult SystemFiles::CreateNewFileExclusive(const std::string& name) {
  return OpenLocked(name, O_RDWR | O_CREAT | O_EXCL, Accepted::kAnything);
}

TransferResult SystemFiles::ReadFile(NativeFile file, void* buffer, std::size_t count) {
  const ssize_t done = ::read(static_cast<int>(file), buffer, count);
  if (done < 0) return {0, LastErrno()};
  return {static_cast<std::size_t>(done), 0};
}

TransferResult SystemFiles::WriteFile(NativeFile file, const void* buffer, std::size_t count) {
  const ssize_t done = ::write(static_cast<int>(file), buffer, count);
  if (done < 0) return {0, LastErrno()};
  return {static_cast<std::size_t>(done), 0};
}

TransferResult SystemFiles::CopyRange(NativeFile from, NativeFile to, std::size_t count) {
  const ssize_t done =
      ::copy_file_range(static_cast<int>(from), nullptr, static_cast<int>(to), nullptr, count, 0);
  if (done < 0) return {0, LastErrno()};
  return {static_cast<std::size_t>(done), 0};
}

ErrorCode SystemFiles::SeekFile(NativeFile file, std::int64_t offset, SeekOrigin origin) {
  // lseek fails with EINVAL for a negative result and leaves the offset unchanged.
  if (::lseek(static_cast<int>(file), static_cast<off_t>(offset),
              origin == SeekOrigin::End ? SEEK_END : SEEK_SET) < 0)
    return LastErrno();
  return 0;
}

SizeResult SystemFiles::FileSize(NativeFile file) {
  struct stat info {};
  if (::fstat(static_cast<int>(file), &info) != 0) return {0, LastErrno()};
  return {static_cast<std::uint64_t>(info.st_size), 0};
}

ErrorCode SystemFiles::FlushFile(NativeFile file) {
  return Outcome(::fsync(static_cast<int>(file)));
}

ErrorCode SystemFiles::AllowRunning(NativeFile file) {
  struct stat info {};
  if (::fstat(static_cast<int>(file), &info) != 0) return LastErrno();
  const mode_t readable = info.st_mode & 0444;
  return Outcome(::fchmod(static_cast<int>(file), (info.st_mode & 07777) | readable >> 2));
}

ErrorCode SystemFiles::CloseFile(NativeFile file) {
  // Linux releases the descriptor even when close() is interrupted.
  if (::close(static_cast<int>(file)) != 0 && errno != EINTR) return LastErrno();
  return 0;
}

ErrorCode SystemFiles::RemoveFile(const std::string& name) {
  return Outcome(::unlink(name.c_str()));
}

ErrorCode SystemFiles::ReplaceExisting(const std::string& replaced,
                                       const std::string& replacement) {
  // As ReplaceFileA: the replaced file must exist, and its permissions go to the replacement; a
  // replacement that was made runnable stays runnable for whoever may read it.
  struct stat info {};
  struct stat made {};
  if (::stat(replaced.c_str(), &info) != 0 || ::stat(replacement.c_str(), &made) != 0)
    return LastErrno();
  mode_t mode = info.st_mode & 07777;
  if ((made.st_mode & 0111) != 0) mode |= (mode & 0444) >> 2;
  if (::chmod(replacement.c_str(), mode) != 0) return LastErrno();
  return Outcome(::rename(replacement.c_str(), replaced.c_str()));
}

ErrorCode SystemFiles::RenameFile(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS) return LastErrno();
  // A file system without RENAME_NOREPLACE: a hard link is refused where the name is taken.
  if (::link(from.c_str(), to.c_str()) != 0) return LastErrno();
  return Outcome(::unlink(from.c_str()));
}

PathResult SystemFiles::FullPathName(const std::string& name) {
  // Like GetFullPathNameA: joined with the current folder and normalised, links not followed.
  std::error_code failed;
  const auto path = std::filesystem::absolute(name, failed);
  if (failed) return {{}, static_cast<ErrorCode>(failed.value())};
  return {path.lexically_normal().string(), 0};
}

PathResult SystemFiles::ModuleFileName() {
  char path[PATH_MAX];
  const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path);
  if (length < 0) return {{}, LastErrno()};
  if (length == 0 || static_cast<std::size_t>(length) == sizeof path) return {{}, ENAMETOOLONG};
  return {std::string(path, static_cast<std::size_t>(length)), 0};
}

std::string SystemFiles::SystemMessage(ErrorCode error) {
  return std::strerror(static_cast<int>(error));
}

PathSyntax SystemFiles::Syntax() { return {'/', NeverLeadByte, false}; }

}  // namespace swivex
