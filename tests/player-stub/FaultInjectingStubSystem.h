#pragma once

#include <cstddef>
#include <optional>
#include <set>
#include <vector>

#include "playback/StubSystem.h"
#include "tests/support/FaultPlan.h"

namespace swivex::testing {

// Passes every call on to another StubSystem and records it; makes the one call that `fault`
// names fail (an error is kInjectedError), and keeps track of the files that are open. A failing
// Close still closes the file, as CloseHandle does when it reports an error.
class FaultInjectingStubSystem final : public StubSystem {
 public:
  // ERROR_IO_DEVICE: a fault of the disk, which the stub must report whatever call meets it.
  static constexpr StubError kInjectedError = 1117;

  explicit FaultInjectingStubSystem(StubSystem& inner, std::optional<Fault> fault = std::nullopt)
      : inner_(inner), plan_(fault) {}

  const std::vector<RecordedCall>& Calls() const { return plan_.Calls(); }
  bool FaultInjected() const { return plan_.Injected(); }
  std::size_t OpenFiles() const { return open_.size(); }

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
  bool IsLeadByte(unsigned char byte) override { return inner_.IsLeadByte(byte); }
  void AppendErrorText(StubText& text, StubError error) override;

 private:
  bool Fails(const char* name) { return plan_.Fails(name); }
  StubError Tracked(StubError error, StubFile file);

  StubSystem& inner_;
  FaultPlan plan_;
  std::set<StubFile> open_;
};

}  // namespace swivex::testing
