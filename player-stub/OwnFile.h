#pragma once

#include <cstdint>
#include <optional>

#include "player-stub/EmbeddedMovie.h"
#include "player-stub/StubText.h"
#include "winsupport/WindowsHandles.h"

namespace swivex {

// The file that the running stub was started from: a projector, or the bare stub. It is only
// ever read. Every operation returns false on failure, with the reason in `failure`.
class OwnFile {
 public:
  bool Open(StubText& failure);

  const StubText& Path() const { return path_; }
  // The movie behind the stub, found from the file's last eight bytes; none for a bare stub.
  bool FindMovie(std::optional<MovieLocation>& movie, StubText& failure);
  // Reads exactly `count` bytes at `offset`; running out of file is a failure.
  bool ReadAt(std::uint64_t offset, void* buffer, std::uint32_t count, StubText& failure);

 private:
  bool Fail(DWORD error, StubText& failure) const;

  StubText path_;
  win::UniqueFile file_;
  std::uint64_t size_ = 0;
};

}  // namespace swivex
