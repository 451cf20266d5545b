#include "swf/TagBody.h"

#include <algorithm>

#include "swf/SwfError.h"
#include "swf/TagNames.h"

namespace swivex::swf {

namespace {

// A tag header's length field that says a 32-bit length follows.
constexpr std::uint16_t kLongLength = 0x3F;

// "a DefineShape tag", "a tag of type 99".
std::string TagKind(std::uint16_t code) {
  const char* name = TagName(code);
  return name != nullptr ? std::string("a ") + name + " tag"
                         : "a tag of type " + std::to_string(code);
}

}  // namespace

TagBody NextTag(MovieStream& movie) {
  const std::uint64_t tagOffset = movie.Offset();
  const std::uint16_t codeAndLength = movie.ReadU16("a tag header");
  const std::uint16_t code = codeAndLength >> 6;
  std::uint64_t length = codeAndLength & kLongLength;
  if (length == kLongLength) length = movie.ReadU32("a long tag header's length");
  if (length > movie.Remaining()) {
    throw ESwfError(tagOffset, TagKind(code) + " claims " + std::to_string(length) +
                                   " bytes, past the movie's declared length of " +
                                   std::to_string(movie.DeclaredLength()) + " bytes");
  }
  return TagBody(movie, code, tagOffset, length);
}

TagBody::TagBody(MovieStream& movie, std::uint16_t code, std::uint64_t tagOffset,
                 std::uint64_t length)
    : movie_(movie), code_(code), tagOffset_(tagOffset), end_(movie.Offset() + length) {}

std::string TagBody::Describe() const {
  const char* name = TagName(code_);
  const std::string kind = name != nullptr ? name : "type " + std::to_string(code_);
  return "the " + kind + " tag at offset " + std::to_string(tagOffset_);
}

void TagBody::Need(std::uint64_t count, std::string_view what) const {
  if (count <= Remaining()) return;
  throw ESwfError(Offset(), Describe() + " ends before its " + std::string(what));
}

std::uint8_t TagBody::ReadU8(std::string_view what) {
  Need(1, what);
  return movie_.ReadU8(what);
}

std::uint16_t TagBody::ReadU16(std::string_view what) {
  Need(2, what);
  return movie_.ReadU16(what);
}

std::uint32_t TagBody::ReadU32(std::string_view what) {
  Need(4, what);
  return movie_.ReadU32(what);
}

void TagBody::Append(std::vector<std::uint8_t>& bytes, std::uint64_t count, std::string_view what) {
  Need(count, what);
  movie_.Append(bytes, count, what);
}

std::size_t TagBody::ReadSome(std::uint8_t* buffer, std::size_t count, std::string_view what) {
  Need(count == 0 ? 0 : 1, what);
  return movie_.ReadSome(
      buffer, static_cast<std::size_t>(std::min<std::uint64_t>(count, Remaining())), what);
}

// The walk checked the tag's length against the declared one, so skipping fails only when the
// movie ends early; the error then names the offset, and the tag's description is not built
// for every tag of a movie that may hold millions.
void TagBody::SkipRest() { movie_.Skip(Remaining(), "the rest of a tag"); }

std::size_t TagBytes::Read(std::uint8_t* buffer, std::size_t count) {
  if (left_ == 0 || count == 0) return 0;
  const std::size_t wanted = static_cast<std::size_t>(std::min<std::uint64_t>(count, left_));
  const std::size_t arrived = body_.ReadSome(buffer, wanted, "picture data");
  left_ -= arrived;
  return arrived;
}

}  // namespace swivex::swf
