#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "swf/ByteSource.h"
#include "swf/MovieStream.h"

namespace swivex::swf {

// One tag's bytes inside the movie: reads never cross the tag's end, and a field that the tag
// is too short for is an error naming the tag.
class TagBody {
 public:
  TagBody(MovieStream& movie, std::uint16_t code, std::uint64_t tagOffset, std::uint64_t length);

  std::uint16_t Code() const { return code_; }
  std::uint64_t TagOffset() const { return tagOffset_; }
  std::uint64_t Offset() const { return movie_.Offset(); }
  std::uint64_t Remaining() const { return end_ - movie_.Offset(); }

  std::uint8_t ReadU8(std::string_view what);
  std::uint16_t ReadU16(std::string_view what);
  std::uint32_t ReadU32(std::string_view what);
  void Append(std::vector<std::uint8_t>& bytes, std::uint64_t count, std::string_view what);
  std::size_t ReadSome(std::uint8_t* buffer, std::size_t count, std::string_view what);
  void SkipRest();

  // "the DefineBitsLossless tag at offset 120", for error texts.
  std::string Describe() const;

 private:
  void Need(std::uint64_t count, std::string_view what) const;

  MovieStream& movie_;
  std::uint16_t code_;
  std::uint64_t tagOffset_;
  std::uint64_t end_;
};

// The tag that starts at the movie's offset, its header read: one that runs past the movie's
// declared length is an error naming it.
TagBody NextTag(MovieStream& movie);

// The next `length` bytes of a tag as a byte source, for reading a picture's data in passing.
class TagBytes final : public ByteSource {
 public:
  TagBytes(TagBody& body, std::uint64_t length) : body_(body), left_(length) {}
  std::size_t Read(std::uint8_t* buffer, std::size_t count) override;

 private:
  TagBody& body_;
  std::uint64_t left_;
};

}  // namespace swivex::swf
