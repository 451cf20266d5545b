// Files, paths and system messages through POSIX calls.
//
// POSIX has no share modes. The exclusive opens take a non-blocking exclusive flock() on the
// open file description right after opening: flock() locks conflict between any two
// descriptions of the same file (same device and inode), whether they belong to this process or
// another, so a second exclusive open fails just as a share-mode-0 open fails on Windows. Only
// openers that honour the lock are kept out, which is every opener in this program.
#include <fcntl.h>
#include <limits.h>
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

FileResult OpenLocked(const std::string& name, int flags, bool truncate) {
  int fd = ::open(name.c_str(), flags | O_CLOEXEC, 0666);
  if (fd < 0) return {kNoFile, LastErrno()};
  struct stat info;
  if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    ErrorCode error = S_ISDIR(info.st_mode) ? EISDIR : LastErrno();
    ::close(fd);
    return {kNoFile, error};
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ErrorCode error = errno == EWOULDBLOCK ? errors::kSharingViolation : LastErrno();
    ::close(fd);
    return {kNoFile, error};
  }
  // Truncate only once the lock is ours, so that a file held elsewhere stays intact.
  if (truncate && ::ftruncate(fd, 0) != 0) {
    ErrorCode error = LastErrno();
    ::close(fd);
    return {kNoFile, error};
  }
  return {fd, 0};
}

// File names are bytes: no byte starts a character of two.
bool NeverLeadByte(unsigned char) { return false; }

}  // namespace

FileResult SystemFiles::CreateFileExclusive(const std::string& name) {
  return OpenLocked(name, O_RDWR | O_CREAT, true);
}

FileResult SystemFiles::OpenFileExclusive(const std::string& name) {
  return OpenLocked(name, O_RDONLY, false);
}

TransferResult SystemFiles::ReadFile(NativeFile file, void* buffer, std::size_t count) {
  ssize_t done = ::read(static_cast<int>(file), buffer, count);
  if (done < 0) return {0, LastErrno()};
  return {static_cast<std::size_t>(done), 0};
}

TransferResult SystemFiles::WriteFile(NativeFile file, const void* buffer, std::size_t count) {
  ssize_t done = ::write(static_cast<int>(file), buffer, count);
  if (done < 0) return {0, LastErrno()};
  return {static_cast<std::size_t>(done), 0};
}

bool SystemFiles::SeekFile(NativeFile file, std::int64_t offset, SeekOrigin origin) {
  // lseek fails with EINVAL for a negative result and leaves the offset unchanged.
  return ::lseek(static_cast<int>(file), static_cast<off_t>(offset),
                 origin == SeekOrigin::End ? SEEK_END : SEEK_SET) >= 0;
}

std::uint64_t SystemFiles::FileSize(NativeFile file) {
  struct stat info;
  if (::fstat(static_cast<int>(file), &info) != 0) return 0;
  return static_cast<std::uint64_t>(info.st_size);
}

void SystemFiles::CloseFile(NativeFile file) { ::close(static_cast<int>(file)); }

bool SystemFiles::RemoveFile(const std::string& name) { return ::unlink(name.c_str()) == 0; }

std::string SystemFiles::FullPathName(const std::string& name) {
  // Like GetFullPathNameA: joined with the current folder and normalised, links not followed.
  std::error_code failed;
  auto path = std::filesystem::absolute(name, failed);
  if (failed) return name;
  return path.lexically_normal().string();
}

std::string SystemFiles::ModuleFileName() {
  char path[PATH_MAX];
  ssize_t length = ::readlink("/proc/self/exe", path, sizeof path);
  if (length <= 0) return {};
  return std::string(path, static_cast<std::size_t>(length));
}

std::string SystemFiles::SystemMessage(ErrorCode error) {
  return std::strerror(static_cast<int>(error));
}

PathSyntax SystemFiles::Syntax() { return {'/', NeverLeadByte}; }

}  // namespace swivex
