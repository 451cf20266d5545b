#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/ErrorCode.h"
#include "platform/FileTypes.h"
#include "platform/PathSyntax.h"

namespace swivex {

// The file operations of the system that the logic uses: the conversions read and write files
// through nothing else. Tests replace single operations to make them fail or to move the
// program folder.
class Files {
 public:
  virtual ~Files() = default;

  // Both opens are exclusive: while a file is held, no other open of it succeeds, from this
  // process or another, and an exclusive open of a file held elsewhere fails.
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
  virtual PathSyntax Syntax() = 0;
};

}  // namespace swivex
