#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace swivex {

// The operating system's own error number: a Win32 error code on Windows, errno elsewhere.
using ErrorCode = std::uint32_t;

// An open file as the system knows it: a HANDLE on Windows, a descriptor elsewhere.
using NativeFile = std::intptr_t;
inline constexpr NativeFile kNoFile = -1;

// An open registry key: an HKEY on Windows.
using NativeKey = std::uintptr_t;
inline constexpr NativeKey kNoKey = 0;

enum class SeekOrigin { Begin, End };

struct FileResult {
  NativeFile file = kNoFile;
  ErrorCode error = 0;  // captured right after the failed call
};

struct TransferResult {
  std::size_t done = 0;  // a failed transfer counts as none
  ErrorCode error = 0;
};

struct KeyResult {
  NativeKey key = kNoKey;
  ErrorCode error = 0;
};

struct ValueInfo {
  std::uint32_t type = 0;  // REG_SZ, REG_DWORD, ... (Win32 numbering on every system)
  std::uint32_t size = 0;
  ErrorCode error = 0;
};

// Registry value types, numbered as Win32 numbers them.
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegDword = 4;

// Every operating-system call that the program's logic makes, behind one small interface, so that
// the logic builds and is exercised on Windows and POSIX alike and tests can replace single calls.
// Implementations translate calls and hold no decisions of their own.
class Platform {
 public:
  virtual ~Platform() = default;

  // Files. Both opens are exclusive: while a file is held, no other open of it succeeds, from
  // this process or another, and an exclusive open of a file held elsewhere fails.
  virtual FileResult CreateFileExclusive(const std::string& name) = 0;  // read/write, truncating
  virtual FileResult OpenFileExclusive(const std::string& name) = 0;    // read only, existing
  virtual TransferResult ReadFile(NativeFile file, void* buffer, std::size_t count) = 0;
  virtual TransferResult WriteFile(NativeFile file, const void* buffer, std::size_t count) = 0;
  // Moves to origin + offset; a result before the start fails and leaves the position alone.
  virtual bool SeekFile(NativeFile file, std::int64_t offset, SeekOrigin origin) = 0;
  virtual std::uint64_t FileSize(NativeFile file) = 0;
  virtual void CloseFile(NativeFile file) = 0;
  virtual bool RemoveFile(const std::string& name) = 0;
  virtual std::string FullPathName(const std::string& name) = 0;
  virtual std::string ModuleFileName() = 0;
  virtual std::string SystemMessage(ErrorCode error) = 0;  // as the system words it, untrimmed
  // True if the byte starts a double-byte character in the ANSI code page.
  virtual bool IsLeadByte(unsigned char byte) = 0;
  // The byte that separates folders in a path: "\\" on Windows, "/" elsewhere.
  virtual char DirectorySeparator() = 0;

  // System directory, copies and the desktop settings, for the screen-saver installation.
  virtual std::string SystemDirectory() = 0;
  // Creates a new empty file with a unique name in `folder` and returns its name; empty and
  // `error` set on failure.
  virtual std::string CreateScratchFile(const std::string& folder, ErrorCode& error) = 0;
  // Copies `from` over `to`, replacing its contents.
  virtual bool CopyFileOver(const std::string& from, const std::string& to, ErrorCode& error) = 0;
  // Renames `from` to `to`, replacing a file of that name in one step.
  virtual bool MoveFileOver(const std::string& from, const std::string& to, ErrorCode& error) = 0;
  // True if the name denotes an existing file that is not a directory (hidden and system files
  // count) whose last-write time is a local date from 1980 on; any failure counts as false.
  virtual bool FileExists(const std::string& name) = 0;
  virtual KeyResult OpenCurrentUserKey(const std::string& subKey) = 0;
  virtual ValueInfo QueryValueInfo(NativeKey key, const std::string& name) = 0;
  virtual ErrorCode QueryValueData(NativeKey key, const std::string& name,
                                   std::vector<unsigned char>& data) = 0;
  virtual ErrorCode SetStringValue(NativeKey key, const std::string& name,
                                   const std::string& text) = 0;
  virtual void CloseKey(NativeKey key) = 0;
  // Tells running programs that the screen-saver setting changed, without changing any setting.
  virtual void AnnounceScreenSaverChange() = 0;
  virtual void StartCommandLine(const std::string& commandLine, int showMode) = 0;
};

// The implementation for the system the program was built for.
Platform& SystemPlatform();

// Well-known error numbers of the system the program was built for, for callers and tests that
// must recognise a particular failure.
namespace errors {
extern const ErrorCode kFileNotFound;
extern const ErrorCode kAccessDenied;
extern const ErrorCode kSharingViolation;
extern const ErrorCode kDiskFull;
}  // namespace errors

}  // namespace swivex
