#pragma once

#include <cstdint>

#include "playback/FileSystem.h"
#include "winsupport/UniqueHandle.h"

namespace swivex {

// A file that a FileSystem opened, with the system that closes it.
struct OpenedFile {
  FileSystem* system = nullptr;
  FileHandle file = kNoFileHandle;

  friend bool operator==(const OpenedFile&, const OpenedFile&) = default;
};

struct OpenedFileTraits {
  using Handle = OpenedFile;
  static Handle Empty() noexcept { return {}; }
  static void Release(Handle open) noexcept { open.system->Close(open.file); }
};

// Closes on every way out; CloseFile closes where the result matters.
using UniqueOpenedFile = win::UniqueHandle<OpenedFileTraits>;

FileError OpenFileForReading(FileSystem& system, const char* path, UniqueOpenedFile& file);
FileError CreateNewFile(FileSystem& system, const char* path, UniqueOpenedFile& file);
// Reads exactly `count` bytes: a read that moves none before then is the end of the file.
FileError ReadExactly(OpenedFile file, void* buffer, std::uint32_t count);
// Writes exactly `count` bytes: a write that moves none is a full disk.
FileError WriteExactly(OpenedFile file, const void* bytes, std::uint32_t count);
// Closes the file and says whether everything written to it was kept.
FileError CloseFile(UniqueOpenedFile& file);

}  // namespace swivex
