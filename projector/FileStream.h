#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/Files.h"

namespace swivex {

// An open file and its position: the one way the conversions touch files. The file is held
// without sharing for the stream's life and closed when the stream goes out of scope.
class FileStream {
 public:
  // Bytes moved per read and write by CopyFrom.
  static constexpr std::size_t kCopyBufferSize = 0xF000;

  // Creates the file, or truncates an existing one. Raises EFCreateError.
  static FileStream Create(const std::string& name, Files& files);
  // Opens an existing file for reading. Raises EFOpenError.
  static FileStream OpenRead(const std::string& name, Files& files);

  FileStream(FileStream&& other) noexcept;
  FileStream& operator=(FileStream&&) = delete;
  FileStream(const FileStream&) = delete;
  FileStream& operator=(const FileStream&) = delete;
  ~FileStream();

  std::uint64_t Size();
  // Moves to the start of the file.
  void Rewind();
  // Moves to size + offset. A position before the start fails quietly and the position stays;
  // one beyond the end is allowed and reads nothing there.
  void Seek(std::int64_t offsetFromEnd);
  // Raises EReadError when fewer than `count` bytes arrive.
  void ReadExact(void* buffer, std::size_t count);
  // Raises EWriteError when fewer than `count` bytes are accepted.
  void WriteExact(const void* buffer, std::size_t count);
  // Copies `count` bytes from the source's position; a count of 0 copies the whole source from
  // its first byte.
  void CopyFrom(FileStream& source, std::uint64_t count);
  // Copies exactly `count` bytes from the source's position; 0 copies nothing.
  void CopyExactly(FileStream& source, std::uint64_t count);
  void Close();

 private:
  FileStream(NativeFile file, Files& files) : file_(file), files_(&files) {}

  NativeFile file_;
  Files* files_;
};

}  // namespace swivex
