#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace swivex::swf {

// Where a movie's bytes come from, front to back: a file, a stretch of a projector, memory.
// The reader never seeks, so a source needs no more than this.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Reads up to `count` (> 0) bytes into `buffer` and returns how many arrived: at least one
  // while any remain, 0 at the end. Raises the source's own error when reading fails.
  virtual std::size_t Read(std::uint8_t* buffer, std::size_t count) = 0;
};

// Bytes in memory that the caller keeps alive for the source's life.
class MemorySource final : public ByteSource {
 public:
  explicit MemorySource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  std::size_t Read(std::uint8_t* buffer, std::size_t count) override;

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t position_ = 0;
};

// Another source, counting the bytes taken from it.
class CountingSource final : public ByteSource {
 public:
  explicit CountingSource(ByteSource& inner) : inner_(inner) {}
  std::size_t Read(std::uint8_t* buffer, std::size_t count) override;
  std::uint64_t Total() const { return total_; }

 private:
  ByteSource& inner_;
  std::uint64_t total_ = 0;
};

// Reads until `count` bytes arrived or the source ended; returns how many arrived.
std::size_t ReadUpTo(ByteSource& source, std::uint8_t* buffer, std::size_t count);

}  // namespace swivex::swf
