// The native build has no system directory of Windows' kind, no registry and no control panel.
// Copies and existence tests work on the real file system; the registry operations fail with
// ENOSYS, so the logic takes its error paths; tests that need a registry supply one of their own.
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <filesystem>
#include <utility>

#include "platform/PosixPlatform.h"

namespace swivex {

namespace {

// An open file descriptor, closed on every way out.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }

 private:
  int fd_;
};

// A scratch file beside a copy's target, removed on every way out unless it became the target.
class ScratchFile {
 public:
  explicit ScratchFile(std::string name) : name_(std::move(name)) {}
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;
  ~ScratchFile() {
    if (!name_.empty()) ::unlink(name_.c_str());
  }
  const std::string& name() const { return name_; }
  void Keep() { name_.clear(); }

 private:
  std::string name_;
};

ErrorCode LastError() { return static_cast<ErrorCode>(errno); }

ErrorCode WriteAll(int fd, const char* bytes, std::size_t count) {
  while (count != 0) {
    const ssize_t written = ::write(fd, bytes, count);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return written < 0 ? LastError() : static_cast<ErrorCode>(EIO);
    bytes += written;
    count -= static_cast<std::size_t>(written);
  }
  return 0;
}

// Copies the contents and permissions of the file `from` into the open file `to`. A read or
// write loop rather than std::filesystem::copy_file, which reports every short transfer as EIO
// and so would lose a full disk's own error.
ErrorCode CopyInto(const std::string& from, int to) {
  const Descriptor source(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
  if (!source.valid()) return LastError();
  struct stat info;
  if (::fstat(source.get(), &info) != 0) return LastError();
  if (S_ISDIR(info.st_mode)) return EISDIR;
  char buffer[64 * 1024];
  for (;;) {
    const ssize_t read = ::read(source.get(), buffer, sizeof buffer);
    if (read < 0 && errno == EINTR) continue;
    if (read < 0) return LastError();
    if (read == 0) break;
    if (ErrorCode failed = WriteAll(to, buffer, static_cast<std::size_t>(read))) return failed;
  }
  if (::fchmod(to, info.st_mode & 07777) != 0) return LastError();
  return 0;
}

// Windows finds files through their DOS date and time, which span the years 1980 to 2107.
bool HasDosDate(std::time_t written) {
  std::tm local{};
  if (::localtime_r(&written, &local) == nullptr) return false;
  const int year = local.tm_year + 1900;
  return year >= 1980 && year <= 2107;
}

}  // namespace

std::string PosixPlatform::SystemDirectory() {
  std::error_code failed;
  auto folder = std::filesystem::temp_directory_path(failed);
  return failed ? std::string("/tmp") : folder.string();
}

bool PosixPlatform::CopyFileOver(const std::string& from, const std::string& to, ErrorCode& error) {
  // Copied to a scratch file beside the target and renamed over it once complete, so that a
  // copy that fails partway leaves the target whole.
  std::string scratchName = to + ".XXXXXX";
  const Descriptor scratchFile(::mkostemp(scratchName.data(), O_CLOEXEC));
  if (!scratchFile.valid()) {
    error = LastError();
    return false;
  }
  ScratchFile scratch(scratchName);
  if (ErrorCode failed = CopyInto(from, scratchFile.get())) {
    error = failed;
    return false;
  }
  if (::rename(scratch.name().c_str(), to.c_str()) != 0) {
    error = LastError();
    return false;
  }
  scratch.Keep();
  return true;
}

bool PosixPlatform::FileExists(const std::string& name) {
  struct stat info;
  return ::stat(name.c_str(), &info) == 0 && !S_ISDIR(info.st_mode) && HasDosDate(info.st_mtime);
}

KeyResult PosixPlatform::OpenCurrentUserKey(const std::string&) { return {kNoKey, ENOSYS}; }

ValueInfo PosixPlatform::QueryValueInfo(NativeKey, const std::string&) { return {0, 0, ENOSYS}; }

ErrorCode PosixPlatform::QueryValueData(NativeKey, const std::string&,
                                        std::vector<unsigned char>&) {
  return ENOSYS;
}

ErrorCode PosixPlatform::SetStringValue(NativeKey, const std::string&, const std::string&) {
  return ENOSYS;
}

void PosixPlatform::CloseKey(NativeKey) {}

void PosixPlatform::AnnounceScreenSaverChange() {}

void PosixPlatform::StartCommandLine(const std::string&, int) {}

}  // namespace swivex
