#pragma once

#include "playback/StubSystem.h"

namespace swivex {

// The stub's system calls on Linux and other POSIX systems. A StubFile is the file descriptor
// plus one, so that descriptor 0 is a file too. Errors are translated into the Windows codes
// that the stub's logic tells apart; others keep their errno, marked as such, for their words.
class PosixStubSystem final : public StubSystem {
 public:
  StubError OwnPath(StubText& path) override;
  StubError TempFolder(StubText& folder) override;
  StubError CreateFolder(const char* path) override;
  StubError OpenForReading(const char* path, StubFile& file) override;
  StubError OpenBelow(const char* folder, const char* relative, StubFile& file) override;
  StubError CreateNewFile(const char* path, StubFile& file) override;
  StubError FileSize(StubFile file, std::uint64_t& size) override;
  StubError Seek(StubFile file, std::uint64_t offset) override;
  StubError Read(StubFile file, void* buffer, std::uint32_t count, std::uint32_t& done) override;
  StubError Write(StubFile file, const void* bytes, std::uint32_t count,
                  std::uint32_t& done) override;
  StubError Flush(StubFile file) override;
  StubError Close(StubFile file) override;
  StubError Rename(const char* from, const char* to) override;
  StubError Delete(const char* path) override;
  bool IsLeadByte(unsigned char byte) override;
  void AppendErrorText(StubText& text, StubError error) override;
};

}  // namespace swivex
