#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/ErrorCode.h"
#include "platform/FileTypes.h"
#include "platform/PathSyntax.h"

namespace swivex {

// The file operations of the system that the logic uses: the conversions read and write files
// through nothing else. Every operation reports the system's error, captured right after the
// failed call; tests wrap single operations to make them fail.
class Files {
 public:
  virtual ~Files() = default;

  // The opens are exclusive: while a file is held, no other open of it succeeds, from this
  // process or another, and an exclusive open of a file held elsewhere fails.
  // An existing file, for reading, reached through any links. Only a regular file (a disk file
  // on Windows) is opened, and the open never waits: for anything else, such as a named pipe
  // that nobody writes, the result says what the name leads to (`kind`).
  virtual FileResult OpenFileExclusive(const std::string& name) = 0;
  // An existing file, for reading and writing; the file is not changed by the open. Only a
  // regular file is opened: a link is not followed, and for anything else the result says what
  // the name leads to (`kind`). What is opened decides, not what the name was a moment before.
  virtual FileResult OpenWritableExclusive(const std::string& name) = 0;
  // A file that does not exist yet, for reading and writing; kFileExists when the name is taken.
  virtual FileResult CreateNewFileExclusive(const std::string& name) = 0;
  // Both may move fewer bytes than asked without an error; a failed transfer moves none.
  virtual TransferResult ReadFile(NativeFile file, void* buffer, std::size_t count) = 0;
  virtual TransferResult WriteFile(NativeFile file, const void* buffer, std::size_t count) = 0;
  // Copies up to `count` bytes from the position of `from` to that of `to` inside the system,
  // without passing them through the program, and moves both positions past them. Moves fewer
  // bytes without an error, none at the end of `from`. A system, or a pair of files, that
  // cannot copy this way fails and moves none: the caller then reads and writes.
  virtual TransferResult CopyRange(NativeFile from, NativeFile to, std::size_t count) = 0;
  // Moves to origin + offset; a result before the start fails and leaves the position alone.
  virtual ErrorCode SeekFile(NativeFile file, std::int64_t offset, SeekOrigin origin) = 0;
  virtual SizeResult FileSize(NativeFile file) = 0;
  // Writes what the system still holds of the file to the disk.
  virtual ErrorCode FlushFile(NativeFile file) = 0;
  // Lets the file be run as a program: whoever may read it may run it, as chmod +x does. Nothing
  // where a file's extension makes it a program (Windows).
  virtual ErrorCode AllowRunning(NativeFile file) = 0;
  // Releases the file in any case; the error is what the system reports for it, such as a
  // delayed write that failed.
  virtual ErrorCode CloseFile(NativeFile file) = 0;
  virtual ErrorCode RemoveFile(const std::string& name) = 0;
  // Puts `replacement` in the place of the existing file `replaced` in one step; the replaced
  // file's attributes stay. Both lie in one folder.
  virtual ErrorCode ReplaceExisting(const std::string& replaced,
                                    const std::string& replacement) = 0;
  // Gives `from` the name `to`, which must not exist yet.
  virtual ErrorCode RenameFile(const std::string& from, const std::string& to) = 0;
  virtual PathResult FullPathName(const std::string& name) = 0;
  // The running program's own file.
  virtual PathResult ModuleFileName() = 0;
  virtual std::string SystemMessage(ErrorCode error) = 0;  // as the system words it, untrimmed
  virtual PathSyntax Syntax() = 0;
};

}  // namespace swivex
