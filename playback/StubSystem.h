#pragma once

#include <cstdint>

#include "playback/StubText.h"

namespace swivex {

// A system error number: a Win32 error code wherever the stub's logic runs, in tests too; 0 is
// success. Other systems translate theirs into these codes where one matches.
using StubError = std::uint32_t;

// The error numbers that the stub's logic tells apart (Windows' values).
namespace stub_errors {
inline constexpr StubError kNone = 0;
inline constexpr StubError kFileNotFound = 2;
inline constexpr StubError kPathNotFound = 3;
inline constexpr StubError kAccessDenied = 5;
inline constexpr StubError kSharingViolation = 32;
inline constexpr StubError kHandleEof = 38;
inline constexpr StubError kFileExists = 80;
inline constexpr StubError kDiskFull = 112;
inline constexpr StubError kAlreadyExists = 183;
inline constexpr StubError kFilenameTooLong = 206;
}  // namespace stub_errors

// An open file of a StubSystem. kNoStubFile is never a file.
using StubFile = std::uintptr_t;
inline constexpr StubFile kNoStubFile = 0;

// Every system call with which the stub finds its movie and saves the copy: the Win32 one for
// the product, others for tests that run the logic in memory or fail any single call. Paths are
// ANSI text. Each call returns 0 or the error captured at the failing call.
class StubSystem {
 public:
  // The running program's own file.
  virtual StubError OwnPath(StubText& path) = 0;
  // The folder for temporary files, ending in a separator.
  virtual StubError TempFolder(StubText& folder) = 0;
  // kAlreadyExists when something of that name is there, folder or file.
  virtual StubError CreateFolder(const char* path) = 0;
  // Opens an existing file to read, sharing it with readers only.
  virtual StubError OpenForReading(const char* path, StubFile& file) = 0;
  // Opens to read a regular file at `relative` ("/"-separated, checked by the caller) in
  // `folder` (which ends in a separator) or below it, sharing it with readers and writers. No
  // link or junction leads out of the folder: what is not a regular file there is kFileNotFound.
  virtual StubError OpenBelow(const char* folder, const char* relative, StubFile& file) = 0;
  // Creates a file that must not exist yet (kFileExists), to write, sharing it with nobody.
  virtual StubError CreateNewFile(const char* path, StubFile& file) = 0;
  virtual StubError FileSize(StubFile file, std::uint64_t& size) = 0;
  virtual StubError Seek(StubFile file, std::uint64_t offset) = 0;
  // Both may move fewer bytes than asked, even none, without an error: `done` says how many.
  virtual StubError Read(StubFile file, void* buffer, std::uint32_t count, std::uint32_t& done) = 0;
  virtual StubError Write(StubFile file, const void* bytes, std::uint32_t count,
                          std::uint32_t& done) = 0;
  virtual StubError Flush(StubFile file) = 0;
  // The file is closed whatever the result; an error means its data may not have been kept.
  virtual StubError Close(StubFile file) = 0;
  // Never replaces: kAlreadyExists (or kFileExists) when `to` is taken.
  virtual StubError Rename(const char* from, const char* to) = 0;
  virtual StubError Delete(const char* path) = 0;

  // Answers that cannot fail.
  // True if the byte starts a double-byte character in the ANSI code page: its trail byte may
  // equal "\\".
  virtual bool IsLeadByte(unsigned char byte) = 0;
  // Appends the system's words for `error`, without a closing period.
  virtual void AppendErrorText(StubText& text, StubError error) = 0;

 protected:
  // Never deleted through this interface, so no virtual destructor: it would link operator
  // delete into every projector.
  ~StubSystem() = default;
};

}  // namespace swivex
