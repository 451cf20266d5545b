// The native build has no system directory of Windows' kind, no short names and no control
// panel. Copies and existence tests work on the real file system; the temporary folder stands
// for the system directory, the XDG data folder for the user's local data, and the announcement
// and the command line go nowhere.
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "platform/SystemDesktop.h"
#include "winsupport/UniqueHandle.h"

namespace swivex {

namespace {

// An open file descriptor, closed on every way out.
struct DescriptorTraits {
  using Handle = int;
  static Handle Empty() noexcept { return -1; }
  static void Release(Handle fd) noexcept { ::close(fd); }
};
using Descriptor = win::UniqueHandle<DescriptorTraits>;

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

// Copies the contents and permissions of the file `from` over the file `to`, which is touched
// only once the source is open, as CopyFileA does. A read/write loop rather than
// std::filesystem::copy_file, which reports every short transfer as EIO and so would lose a full
// disk's own error.
ErrorCode CopyContents(const std::string& from, const std::string& toName) {
  const Descriptor source(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
  if (!source) return LastError();
  struct stat info;
  if (::fstat(source.Get(), &info) != 0) return LastError();
  if (S_ISDIR(info.st_mode)) return EISDIR;
  const Descriptor target(::open(toName.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
  if (!target) return LastError();
  const int to = target.Get();
  char buffer[64 * 1024];
  for (;;) {
    const ssize_t read = ::read(source.Get(), buffer, sizeof buffer);
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

PathResult SystemDesktop::SystemDirectory() {
  std::error_code failed;
  const auto folder = std::filesystem::temp_directory_path(failed);
  if (failed) return {{}, static_cast<ErrorCode>(failed.value())};
  return {folder.string(), 0};
}

PathResult SystemDesktop::LocalAppDataDirectory() {
  // The XDG base directories: $XDG_DATA_HOME when it is an absolute name, else
  // $HOME/.local/share.
  std::filesystem::path folder;
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  const char* home = std::getenv("HOME");
  if (dataHome != nullptr && dataHome[0] == '/') {
    folder = dataHome;
  } else if (home != nullptr && home[0] == '/') {
    folder = std::filesystem::path(home) / ".local" / "share";
  } else {
    return {{}, static_cast<ErrorCode>(ENOENT)};
  }
  std::error_code failed;
  std::filesystem::create_directories(folder, failed);
  if (failed) return {{}, static_cast<ErrorCode>(failed.value())};
  return {folder.string(), 0};
}

ErrorCode SystemDesktop::CreateFolder(const std::string& name) {
  if (::mkdir(name.c_str(), 0777) == 0) return 0;
  const ErrorCode error = LastError();
  struct stat info;
  return error == EEXIST && ::stat(name.c_str(), &info) == 0 && S_ISDIR(info.st_mode) ? 0 : error;
}

PathResult SystemDesktop::ShortPathName(const std::string& name) { return {name, 0}; }

std::string SystemDesktop::CreateScratchFile(const std::string& folder, ErrorCode& error) {
  std::string name = folder + "/swxXXXXXX";
  const Descriptor created(::mkostemp(name.data(), O_CLOEXEC));
  if (created) return name;
  error = LastError();
  return {};
}

bool SystemDesktop::CopyFileOver(const std::string& from, const std::string& to, ErrorCode& error) {
  const ErrorCode failed = CopyContents(from, to);
  if (failed == 0) return true;
  error = failed;
  return false;
}

bool SystemDesktop::MoveFileOver(const std::string& from, const std::string& to, ErrorCode& error) {
  if (::rename(from.c_str(), to.c_str()) == 0) return true;
  error = LastError();
  return false;
}

bool SystemDesktop::FileExists(const std::string& name) {
  struct stat info;
  return ::stat(name.c_str(), &info) == 0 && !S_ISDIR(info.st_mode) && HasDosDate(info.st_mtime);
}

void SystemDesktop::AnnounceScreenSaverChange() {}

void SystemDesktop::StartCommandLine(const std::string&, int) {}

}  // namespace swivex
