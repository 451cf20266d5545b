#include "playback/PosixStubSystem.h"

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
constexpr StubError kErrnoMark = 0x20000000;

struct ErrorMatch {
  int errnoValue;
  StubError code;
};

constexpr ErrorMatch kMatches[] = {
    {ENOENT, stub_errors::kFileNotFound},
    {ENOTDIR, stub_errors::kPathNotFound},
    {EACCES, stub_errors::kAccessDenied},
    {EPERM, stub_errors::kAccessDenied},
    {EBUSY, stub_errors::kSharingViolation},
    {EEXIST, stub_errors::kFileExists},
    {ENOSPC, stub_errors::kDiskFull},
    {ENAMETOOLONG, stub_errors::kFilenameTooLong},
    // Only for the words: EEXIST translates into kFileExists, the first match.
    {EEXIST, stub_errors::kAlreadyExists},
};

StubError Translated(int errnoValue) {
  for (const ErrorMatch& match : kMatches)
    if (match.errnoValue == errnoValue) return match.code;
  return kErrnoMark | static_cast<StubError>(errnoValue);
}

StubError LastError() { return Translated(errno); }

StubError ErrorUnless(bool succeeded) { return succeeded ? stub_errors::kNone : LastError(); }

int DescriptorOf(StubFile file) { return static_cast<int>(file - 1); }

StubError Opened(int descriptor, StubFile& file) {
  if (descriptor < 0) return LastError();
  file = static_cast<StubFile>(descriptor) + 1;
  return stub_errors::kNone;
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

StubError PosixStubSystem::OwnPath(StubText& path) {
  char buffer[StubText::kCapacity];
  const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer);
  if (length < 0) return LastError();
  if (static_cast<size_t>(length) >= sizeof buffer) return stub_errors::kFilenameTooLong;
  path.Append(buffer, buffer + length);
  return stub_errors::kNone;
}

StubError PosixStubSystem::TempFolder(StubText& folder) {
  const char* variable = getenv("TMPDIR");
  folder.Append(variable && *variable ? variable : "/tmp");
  if (folder.CStr()[folder.Length() - 1] != '/') folder.Append("/");
  return stub_errors::kNone;
}

StubError PosixStubSystem::CreateFolder(const char* path) {
  if (mkdir(path, 0700) == 0) return stub_errors::kNone;
  return errno == EEXIST ? stub_errors::kAlreadyExists : LastError();
}

StubError PosixStubSystem::OpenForReading(const char* path, StubFile& file) {
  return Opened(open(path, O_RDONLY | O_CLOEXEC), file);
}

StubError PosixStubSystem::OpenBelow(const char* folder, const char* relative, StubFile& file) {
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
    return stub_errors::kFileNotFound;
  }
  return Opened(opened, file);
}

StubError PosixStubSystem::CreateNewFile(const char* path, StubFile& file) {
  return Opened(open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600), file);
}

StubError PosixStubSystem::FileSize(StubFile file, std::uint64_t& size) {
  struct stat status;
  if (fstat(DescriptorOf(file), &status) != 0) return LastError();
  size = static_cast<std::uint64_t>(status.st_size);
  return stub_errors::kNone;
}

StubError PosixStubSystem::Seek(StubFile file, std::uint64_t offset) {
  return ErrorUnless(lseek(DescriptorOf(file), static_cast<off_t>(offset), SEEK_SET) >= 0);
}

StubError PosixStubSystem::Read(StubFile file, void* buffer, std::uint32_t count,
                                std::uint32_t& done) {
  const ssize_t moved = read(DescriptorOf(file), buffer, count);
  done = moved > 0 ? static_cast<std::uint32_t>(moved) : 0;
  return ErrorUnless(moved >= 0);
}

StubError PosixStubSystem::Write(StubFile file, const void* bytes, std::uint32_t count,
                                 std::uint32_t& done) {
  const ssize_t moved = write(DescriptorOf(file), bytes, count);
  done = moved > 0 ? static_cast<std::uint32_t>(moved) : 0;
  return ErrorUnless(moved >= 0);
}

StubError PosixStubSystem::Flush(StubFile file) {
  return ErrorUnless(fsync(DescriptorOf(file)) == 0);
}

StubError PosixStubSystem::Close(StubFile file) {
  return ErrorUnless(close(DescriptorOf(file)) == 0);
}

StubError PosixStubSystem::Rename(const char* from, const char* to) {
  // link() never replaces: a taken name fails with EEXIST, as MoveFileExA does without
  // MOVEFILE_REPLACE_EXISTING.
  if (link(from, to) != 0) return LastError();
  return ErrorUnless(unlink(from) == 0);
}

StubError PosixStubSystem::Delete(const char* path) { return ErrorUnless(unlink(path) == 0); }

bool PosixStubSystem::IsLeadByte(unsigned char) { return false; }

void PosixStubSystem::AppendErrorText(StubText& text, StubError error) {
  int errnoValue = static_cast<int>(error & ~kErrnoMark);
  if ((error & kErrnoMark) == 0) {
    if (error == stub_errors::kHandleEof) {
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
