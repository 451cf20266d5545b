#pragma once

#include <cstdint>

#include "playback/BoundedText.h"

namespace swivex {

// A system error number: a Win32 error code wherever the logic runs, in tests too; 0 is
// success. Other systems translate theirs into these codes where one matches.
using FileError = std::uint32_t;

// The error numbers that the logic tells apart (Windows' values).
namespace file_errors {
inline constexpr FileError kNone = 0;
inline constexpr FileError kFileNotFound = 2;
inline constexpr FileError kPathNotFound = 3;
inline constexpr FileError kAccessDenied = 5;
inline constexpr FileError kSharingViolation = 32;
inline constexpr FileError kHandleEof = 38;
inline constexpr FileError kFileExists = 80;
inline constexpr FileError kDiskFull = 112;
inline constexpr FileError kAlreadyExists = 183;
inline constexpr FileError kFilenameTooLong = 206;
}  // namespace file_errors

// An open file of a FileSystem. kNoFileHandle is never a file.
using FileHandle = std::uintptr_t;
inline constexpr FileHandle kNoFileHandle = 0;

// Every system call with which the stub finds its movie and saves the copy, and with which the
// page's server reads the files it serves: the Win32 one for
// the product, others for tests that run the logic in memory or fail any single call. Paths are
// ANSI text. Each call returns 0 or the error captured at the failing call.
class FileSystem {
 public:
  // The running program's own file.
  virtual FileError OwnPath(BoundedText& path) = 0;
  // The folder for temporary files, ending in a separator.
  virtual FileError TempFolder(BoundedText& folder) = 0;
  // kAlreadyExists when something of that name is there, folder or file.
  virtual FileError CreateFolder(const char* path) = 0;
  // Opens an existing file to read, sharing it with readers only.
  virtual FileError OpenForReading(const char* path, FileHandle& file) = 0;
  // Opens to read a regular file at `relative` ("/"-separated, checked by the caller) in
  // `folder` (which ends in a separator) or below it, sharing it with readers and writers. No
  // link or junction leads out of the folder: what is not a regular file there is kFileNotFound.
  virtual FileError OpenBelow(const char* folder, const char* relative, FileHandle& file) = 0;
  // Creates a file that must not exist yet (kFileExists), to write, sharing it with nobody.
  virtual FileError CreateNewFile(const char* path, FileHandle& file) = 0;
  virtual FileError FileSize(FileHandle file, std::uint64_t& size) = 0;
  virtual FileError Seek(FileHandle file, std::uint64_t offset) = 0;
  // Both may move fewer bytes than asked, even none, without an error: `done` says how many.
  virtual FileError Read(FileHandle file, void* buffer, std::uint32_t count,
                         std::uint32_t& done) = 0;
  virtual FileError Write(FileHandle file, const void* bytes, std::uint32_t count,
                          std::uint32_t& done) = 0;
  virtual FileError Flush(FileHandle file) = 0;
  // The file is closed whatever the result; an error means its data may not have been kept.
  virtual FileError Close(FileHandle file) = 0;
  // Never replaces: kAlreadyExists (or kFileExists) when `to` is taken.
  virtual FileError Rename(const char* from, const char* to) = 0;
  virtual FileError Delete(const char* path) = 0;

  // Answers that cannot fail.
  // True if the byte starts a double-byte character in the ANSI code page: its trail byte may
  // equal "\\".
  virtual bool IsLeadByte(unsigned char byte) = 0;
  // Appends the system's words for `error`, without a closing period.
  virtual void AppendErrorText(BoundedText& text, FileError error) = 0;

 protected:
  // Never deleted through this interface, so no virtual destructor: it would link operator
  // delete into every projector.
  ~FileSystem() = default;
};

}  // namespace swivex
