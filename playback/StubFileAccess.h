#pragma once

#include <cstdint>

#include "playback/StubSystem.h"
#include "winsupport/UniqueHandle.h"

namespace swivex {

// A file that a StubSystem opened, with the system that closes it.
struct OpenStubFile {
  StubSystem* system = nullptr;
  StubFile file = kNoStubFile;

  friend bool operator==(const OpenStubFile&, const OpenStubFile&) = default;
};

struct StubFileTraits {
  using Handle = OpenStubFile;
  static Handle Empty() noexcept { return {}; }
  static void Release(Handle open) noexcept { open.system->Close(open.file); }
};

// Closes on every way out; CloseFile closes where the result matters.
using UniqueStubFile = win::UniqueHandle<StubFileTraits>;

StubError OpenFileForReading(StubSystem& system, const char* path, UniqueStubFile& file);
StubError CreateNewFile(StubSystem& system, const char* path, UniqueStubFile& file);
// Reads exactly `count` bytes: a read that moves none before then is the end of the file.
StubError ReadExactly(OpenStubFile file, void* buffer, std::uint32_t count);
// Writes exactly `count` bytes: a write that moves none is a full disk.
StubError WriteExactly(OpenStubFile file, const void* bytes, std::uint32_t count);
// Closes the file and says whether everything written to it was kept.
StubError CloseFile(UniqueStubFile& file);

}  // namespace swivex
