#pragma once

#include <cstddef>
#include <optional>
#include <set>
#include <vector>

#include "playback/FileSystem.h"
#include "tests/support/FaultPlan.h"

namespace swivex::testing {

// Passes every call on to another FileSystem and records it; makes the one call that `fault`
// names fail (an error is kInjectedError), and keeps track of the files that are open. A failing
// Close still closes the file, as CloseHandle does when it reports an error.
class FaultInjectingFileSystem final : public FileSystem {
 public:
  // ERROR_IO_DEVICE: a fault of the disk, which the stub must report whatever call meets it.
  static constexpr FileError kInjectedError = 1117;

  explicit FaultInjectingFileSystem(FileSystem& inner, std::optional<Fault> fault = std::nullopt)
      : inner_(inner), plan_(fault) {}

  const std::vector<RecordedCall>& Calls() const { return plan_.Calls(); }
  bool FaultInjected() const { return plan_.Injected(); }
  std::size_t OpenFiles() const { return open_.size(); }

  FileError OwnPath(BoundedText& path) override;
  FileError TempFolder(BoundedText& folder) override;
  FileError CreateFolder(const char* path) override;
  FileError OpenForReading(const char* path, FileHandle& file) override;
  FileError OpenBelow(const char* folder, const char* relative, FileHandle& file) override;
  FileError CreateNewFile(const char* path, FileHandle& file) override;
  FileError FileSize(FileHandle file, std::uint64_t& size) override;
  FileError Seek(FileHandle file, std::uint64_t offset) override;
  FileError Read(FileHandle file, void* buffer, std::uint32_t count, std::uint32_t& done) override;
  FileError Write(FileHandle file, const void* bytes, std::uint32_t count,
                  std::uint32_t& done) override;
  FileError Flush(FileHandle file) override;
  FileError Close(FileHandle file) override;
  FileError Rename(const char* from, const char* to) override;
  FileError Delete(const char* path) override;
  bool IsLeadByte(unsigned char byte) override { return inner_.IsLeadByte(byte); }
  void AppendErrorText(BoundedText& text, FileError error) override;

 private:
  bool Fails(const char* name) { return plan_.Fails(name); }
  FileError Tracked(FileError error, FileHandle file);

  FileSystem& inner_;
  FaultPlan plan_;
  std::set<FileHandle> open_;
};

}  // namespace swivex::testing
