#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/ErrorCode.h"

namespace swivex {

// An open file as the system knows it: a HANDLE on Windows, a descriptor elsewhere.
using NativeFile = std::intptr_t;
inline constexpr NativeFile kNoFile = -1;

enum class SeekOrigin { Begin, End };

// What a name leads to. Only a file holds the program's bytes; the others are never written,
// nor replaced by a file.
enum class FileKind {
  kFile,    // a regular file
  kFolder,  // a folder (directory)
  kDevice,  // /dev/null, a terminal; NUL, CON, COM1
  kPipe,    // a named pipe (FIFO)
  kSocket,  // a local socket
  kLink,    // a symbolic link, a junction: the link itself, not what it leads to
};

struct FileResult {
  NativeFile file = kNoFile;
  ErrorCode error = 0;  // captured right after the failed call
  // An open that takes files only and met something else says here what it met, with no file
  // and no error.
  FileKind kind = FileKind::kFile;
};

struct TransferResult {
  std::size_t done = 0;  // a failed transfer counts as none
  ErrorCode error = 0;
};

struct SizeResult {
  std::uint64_t size = 0;
  ErrorCode error = 0;
};

struct PathResult {
  std::string path;  // empty when the call failed
  ErrorCode error = 0;
};

}  // namespace swivex
