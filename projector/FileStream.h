#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/Files.h"
#include "projector/ConversionProgress.h"

namespace swivex {

// An open file and its position: the one way the conversions touch files. The file is held
// without sharing for the stream's life and released when the stream goes out of scope. A
// stream that reads reports its failures as EReadError "Stream read error", one that writes as
// EWriteError "Stream write error".
class FileStream {
 public:
  enum class Direction { Read, Write };

  // Bytes moved per read and write by CopyFrom. Pieces this large keep a folder of projectors
  // extracting as fast as cat copies their movies; smaller ones cost a tenth more in calls.
  static constexpr std::size_t kCopyBufferSize = 1u << 20;

  // Opens an existing file for reading. Raises EFOpenError, with "Cannot open file "<name>". It
  // is a named pipe, not a file" (a folder, a device, a socket) when the name leads to no file.
  static FileStream OpenRead(const std::string& name, Files& files);

  // Takes over a file that is already open.
  FileStream(NativeFile file, Files& files, Direction direction)
      : file_(file), files_(&files), direction_(direction) {}
  FileStream(FileStream&& other) noexcept;
  FileStream& operator=(FileStream&& other) noexcept;
  FileStream(const FileStream&) = delete;
  FileStream& operator=(const FileStream&) = delete;
  ~FileStream();

  std::uint64_t Size();
  // Moves to the start of the file.
  void Rewind();
  // Moves to size + offset. A position before the start is not taken: the position stays, and
  // nothing is raised; one beyond the end is allowed and reads nothing there.
  void Seek(std::int64_t offsetFromEnd);
  // Raises EReadError when fewer than `count` bytes arrive.
  void ReadExact(void* buffer, std::size_t count);
  // Raises EWriteError when fewer than `count` bytes are accepted.
  void WriteExact(const void* buffer, std::size_t count);
  // Reports every write from now on to `progress`, counting towards `total` bytes, and lets it
  // stop the writes (EConversionCancelled); null reports nothing.
  void FollowWrites(ConversionProgress* progress, std::uint64_t total);
  // Copies `count` bytes from the source's position; a count of 0 copies the whole source from
  // its first byte.
  void CopyFrom(FileStream& source, std::uint64_t count);
  // Copies exactly `count` bytes from the source's position; 0 copies nothing. The system copies
  // them itself where it can (Files::CopyRange), else they pass through a buffer.
  void CopyExactly(FileStream& source, std::uint64_t count);
  // Writes what the system still holds of the file to the disk.
  void Flush();
  // Lets the file be run as a program where permissions decide that (Files::AllowRunning).
  void AllowRunning();
  // Closes the file; a failure the system reports for the close is raised too. Closing a closed
  // stream does nothing.
  void Close();
  // Lets go of the file without looking at the outcome, on the way out of a failure.
  void Abandon() noexcept;

 private:
  [[noreturn]] void Fail() const;
  // Has the system copy up to `count` bytes from the source, as one piece of the writes; 0 when
  // it cannot, with nothing moved.
  std::size_t CopyInSystem(FileStream& source, std::size_t count);
  void CheckCancel();
  void Written(std::size_t count);

  NativeFile file_;
  Files* files_;
  Direction direction_;
  ConversionProgress* progress_ = nullptr;
  std::uint64_t written_ = 0;
  std::uint64_t total_ = 0;
};

}  // namespace swivex
