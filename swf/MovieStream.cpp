#include "swf/MovieStream.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "swf/LittleEndian.h"
#include "swf/SwfError.h"

namespace swivex::swf {

MovieStream::MovieStream(ByteSource& body, std::uint64_t startOffset, std::uint64_t declaredLength)
    : body_(body), offset_(startOffset), declaredLength_(std::max(startOffset, declaredLength)) {}

void MovieStream::CheckInside(std::uint64_t count, std::string_view what) const {
  if (count <= Remaining()) return;
  throw ESwfError(offset_, std::string(what) + " (" + std::to_string(count) +
                               " bytes) runs past the movie's declared length of " +
                               std::to_string(declaredLength_) + " bytes");
}

void MovieStream::Fill(std::string_view what) {
  // Asks for no byte past the declared length, so that a header costs only its own bytes and
  // whatever follows a movie inside a larger file is never touched.
  const std::size_t wanted =
      static_cast<std::size_t>(std::min<std::uint64_t>(buffer_.size(), Remaining()));
  const std::size_t arrived = wanted == 0 ? 0 : body_.Read(buffer_.data(), wanted);
  if (arrived == 0) {
    throw ESwfError(offset_, "the movie ends before its declared length of " +
                                 std::to_string(declaredLength_) + " bytes, inside " +
                                 std::string(what));
  }
  position_ = 0;
  filled_ = std::min(arrived, wanted);
}

std::size_t MovieStream::ReadSome(std::uint8_t* buffer, std::size_t count, std::string_view what) {
  CheckInside(count == 0 ? 0 : 1, what);
  if (position_ == filled_) Fill(what);
  const std::size_t taken = std::min(count, filled_ - position_);
  std::memcpy(buffer, buffer_.data() + position_, taken);
  position_ += taken;
  offset_ += taken;
  return taken;
}

void MovieStream::Read(std::uint8_t* buffer, std::size_t count, std::string_view what) {
  CheckInside(count, what);
  std::size_t done = 0;
  while (done < count) done += ReadSome(buffer + done, count - done, what);
}

std::uint8_t MovieStream::ReadU8(std::string_view what) {
  std::uint8_t value = 0;
  Read(&value, 1, what);
  return value;
}

// Tag headers are read millions of times in some movies: from the buffer where they lie whole
// in it, which the declared length has been checked for when it was filled.
std::uint16_t MovieStream::ReadU16(std::string_view what) {
  std::uint8_t bytes[2];
  if (filled_ - position_ >= 2) {
    bytes[0] = buffer_[position_];
    bytes[1] = buffer_[position_ + 1];
    position_ += 2;
    offset_ += 2;
  } else {
    Read(bytes, 2, what);
  }
  return LittleEndian16(bytes);
}

std::uint32_t MovieStream::ReadU32(std::string_view what) {
  std::uint8_t bytes[4];
  Read(bytes, 4, what);
  return LittleEndian32(bytes);
}

void MovieStream::Skip(std::uint64_t count, std::string_view what) {
  if (count <= filled_ - position_) {  // the buffer lies inside the declared length
    position_ += static_cast<std::size_t>(count);
    offset_ += count;
    return;
  }
  CheckInside(count, what);
  while (count > 0) {
    if (position_ == filled_) Fill(what);
    const std::size_t taken =
        static_cast<std::size_t>(std::min<std::uint64_t>(count, filled_ - position_));
    position_ += taken;
    offset_ += taken;
    count -= taken;
  }
}

void MovieStream::Append(std::vector<std::uint8_t>& bytes, std::uint64_t count,
                         std::string_view what) {
  CheckInside(count, what);
  while (count > 0) {
    if (position_ == filled_) Fill(what);
    const std::size_t taken =
        static_cast<std::size_t>(std::min<std::uint64_t>(count, filled_ - position_));
    const std::size_t end = bytes.size();
    bytes.resize(end + taken);
    std::memcpy(bytes.data() + end, buffer_.data() + position_, taken);
    position_ += taken;
    offset_ += taken;
    count -= taken;
  }
}

void MovieStream::ExpectEnd() {
  Skip(Remaining(), "the bytes after the End tag");
  std::uint8_t extra = 0;
  if (body_.Read(&extra, 1) != 0) {
    throw ESwfError(offset_, "the movie's data goes on past its declared length of " +
                                 std::to_string(declaredLength_) + " bytes");
  }
}

}  // namespace swivex::swf
