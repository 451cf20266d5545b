#pragma once

#include <cstddef>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "player-stub/StubSystem.h"

namespace swivex::testing {

enum class FaultKind {
  Error,          // the call fails with kInjectedError and does nothing
  ShortTransfer,  // a read or write moves half of what was asked (at least one byte), no error
  NoTransfer,     // a read or write moves nothing, no error
};

struct Fault {
  std::size_t call;  // counted from 0
  FaultKind kind;
};

// One call that the stub made through the system.
struct StubCall {
  std::string name;
  std::uint32_t count = 0;  // bytes asked for, for reads and writes
};

// Passes every call on to another StubSystem and records it; makes the one call that `fault`
// names fail, and keeps track of the files that are open. A failing Close still closes the file,
// as CloseHandle does when it reports an error.
class FaultInjectingStubSystem final : public StubSystem {
 public:
  // ERROR_IO_DEVICE: a fault of the disk, which the stub must report whatever call meets it.
  static constexpr StubError kInjectedError = 1117;

  explicit FaultInjectingStubSystem(StubSystem& inner, std::optional<Fault> fault = std::nullopt)
      : inner_(inner), fault_(fault) {}

  const std::vector<StubCall>& Calls() const { return calls_; }
  bool FaultInjected() const { return injected_; }
  std::size_t OpenFiles() const { return open_.size(); }

  StubError OwnPath(StubText& path) override;
  StubError TempFolder(StubText& folder) override;
  StubError CreateFolder(const char* path) override;
  StubError OpenForReading(const char* path, StubFile& file) override;
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
  // Records the call; true if it is the one to fail with an error.
  bool Fails(const char* name);
  // Records a read or write; the fault that it meets, if any.
  std::optional<FaultKind> TransferFault(const char* name, std::uint32_t count);
  StubError Tracked(StubError error, StubFile file);

  StubSystem& inner_;
  std::optional<Fault> fault_;
  std::vector<StubCall> calls_;
  bool injected_ = false;
  std::set<StubFile> open_;
};

}  // namespace swivex::testing
