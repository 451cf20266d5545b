#pragma once

#include <cstddef>
#include <span>

namespace swivex {

// Turns gzip bytes back into the file they hold, a piece at a time, for a client that does not
// take gzip. Owns zlib's state while it lives.
class GzipInflater {
 public:
  explicit GzipInflater(std::span<const unsigned char> gzip);
  GzipInflater(const GzipInflater&) = delete;
  GzipInflater& operator=(const GzipInflater&) = delete;
  // zlib's state stays where it is: only the owner changes.
  GzipInflater(GzipInflater&& other) noexcept;
  GzipInflater& operator=(GzipInflater&& other) noexcept;
  ~GzipInflater();

  // Fills up to `room.size()` bytes with the next plain bytes; 0 at the end. False if the gzip
  // bytes are damaged or zlib has no memory.
  bool Next(std::span<unsigned char> room, std::size_t& filled);

 private:
  struct State;
  void Release() noexcept;

  State* state_;
};

}  // namespace swivex
