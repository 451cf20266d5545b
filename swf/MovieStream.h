#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "swf/ByteSource.h"

namespace swivex::swf {

// The uncompressed movie read front to back, with the offset of every byte, inside the length
// that the header declares: nothing past it is read, and a body that ends before it is
// truncated. Every failure names what was being read and where.
class MovieStream {
 public:
  // `body` yields the movie's bytes from `startOffset` on.
  MovieStream(ByteSource& body, std::uint64_t startOffset, std::uint64_t declaredLength);

  std::uint64_t Offset() const { return offset_; }
  std::uint64_t DeclaredLength() const { return declaredLength_; }
  std::uint64_t Remaining() const { return declaredLength_ - offset_; }

  void Read(std::uint8_t* buffer, std::size_t count, std::string_view what);
  std::uint8_t ReadU8(std::string_view what);
  std::uint16_t ReadU16(std::string_view what);
  std::uint32_t ReadU32(std::string_view what);
  // Reads what is buffered, at least one byte and at most `count`.
  std::size_t ReadSome(std::uint8_t* buffer, std::size_t count, std::string_view what);
  void Skip(std::uint64_t count, std::string_view what);
  // Appends `count` bytes to `bytes`, growing it only as the bytes arrive.
  void Append(std::vector<std::uint8_t>& bytes, std::uint64_t count, std::string_view what);
  // Skips what is left of the declared length and raises if the body goes on past it.
  void ExpectEnd();

  // The bytes read ahead and not taken yet, all inside the declared length, for a caller that
  // passes over many small pieces; Consume takes `count` of them.
  std::span<const std::uint8_t> Buffered() const {
    return {buffer_.data() + position_, filled_ - position_};
  }
  void Consume(std::size_t count) {
    position_ += count;
    offset_ += count;
  }

 private:
  void CheckInside(std::uint64_t count, std::string_view what) const;
  void Fill(std::string_view what);

  ByteSource& body_;
  std::uint64_t offset_;
  std::uint64_t declaredLength_;
  std::array<std::uint8_t, 4096> buffer_{};
  std::size_t position_ = 0;
  std::size_t filled_ = 0;
};

}  // namespace swivex::swf
