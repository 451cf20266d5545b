#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "swf/ByteSource.h"

namespace swivex::swf::testing {

using Bytes = std::vector<std::uint8_t>;

Bytes Le16(std::uint16_t value);
Bytes Le32(std::uint32_t value);
Bytes operator+(Bytes left, const Bytes& right);
Bytes ZlibCompress(const Bytes& bytes);

// The frame fields every built movie starts with: 550x400 pixels (0..11000 x 0..8000 twips in
// 15-bit fields), 24 frames a second, one frame. The first tag follows at offset 21.
inline const Bytes kFrameFields = {0x78, 0x00, 0x05, 0x5F, 0x00, 0x00, 0x0F,
                                   0xA0, 0x00, 0x00, 0x18, 0x01, 0x00};
inline constexpr std::uint64_t kFirstTag = 21;

// Writes a movie the way movie writers do: the frame fields, tags, then the header, as FWS,
// or compressed with zlib (CWS) or LZMA (ZWS).
class MovieBuilder {
 public:
  MovieBuilder() = default;
  // A movie whose frame fields are `frameFields` instead of kFrameFields.
  explicit MovieBuilder(Bytes frameFields) : body_(std::move(frameFields)) {}

  // The frame count in the frame fields, 1 unless set.
  MovieBuilder& FrameCount(std::uint16_t count);
  // A short header for bodies under 63 bytes, else a long one.
  MovieBuilder& Tag(std::uint16_t code, const Bytes& body);
  MovieBuilder& LongTag(std::uint16_t code, const Bytes& body);
  MovieBuilder& Raw(const Bytes& bytes);
  MovieBuilder& End() { return Tag(0, {}); }

  // The uncompressed movie after its first 8 bytes.
  const Bytes& Body() const { return body_; }
  std::uint32_t Length() const { return static_cast<std::uint32_t>(8 + body_.size()); }

  // `declared` replaces the true length in the header.
  Bytes Fws(std::optional<std::uint32_t> declared = std::nullopt) const;
  Bytes Cws(std::optional<std::uint32_t> declared = std::nullopt) const;
  Bytes Zws(std::optional<std::uint32_t> declared = std::nullopt) const;

 private:
  Bytes body_ = kFrameFields;
};

// The actions of a DoAction tag that calls getURL(url, target) as ActionScript 1 and 2 compile
// it: ActionGetURL (0x83) with both as zero-ended strings, then ActionStop (0x07) if `stop`, then
// ActionEnd.
Bytes GetUrlActions(std::string_view url, std::string_view target, bool stop = false);

// A getURL call in a frame of a movie: 1 is the first.
struct GetUrlCall {
  std::uint16_t frame = 1;
  std::string url;
  std::string target;
};

// fscommand(command, argument) in `frame`, as ActionScript 1 and 2 compile it:
// getURL("FSCommand:command", argument).
GetUrlCall FsCommand(std::uint16_t frame, std::string_view command, std::string_view argument = "");

// The red rectangle movie (tests/support/RedRectangleMovie.h: a rectangle of 500 x 360 pixels
// on a white stage of 550 x 400, 24 frames a second) with getURL calls in the frames that they
// name, as many frames as the latest call's frame, which stops the movie: frame 25 comes a
// second after the first.
Bytes RedRectangleCalling(const std::vector<GetUrlCall>& calls);

// The red rectangle movie as ActionScript 3 calls fscommand(command, argument) in its first
// frame: FileAttributes with ActionScript 3 first, then DoABC with one script whose initializer
// calls flash.system.fscommand.
Bytes RedRectangleCallingFromActionScript3(std::string_view command, std::string_view argument);

// A FWS movie made up as it is read, for movies too large to hold: the frame fields, then each
// run's piece as many times as it says. Its header declares the length of all of them.
class RepeatedMovie final : public ByteSource {
 public:
  struct Run {
    Bytes piece;
    std::uint64_t times = 1;
  };

  explicit RepeatedMovie(const std::vector<Run>& body);
  std::uint64_t Length() const { return length_; }
  std::size_t Read(std::uint8_t* buffer, std::size_t count) override;

 private:
  // A run's piece repeated to a few kilobytes, so that reading copies blocks.
  struct Stretch {
    Bytes pattern;
    std::size_t period;
    std::uint64_t length;
  };
  std::vector<Stretch> stretches_;
  std::uint64_t length_ = 0;
  std::size_t stretch_ = 0;
  std::uint64_t at_ = 0;
};

// A PNG chunk with its length and CRC, and a PNG file of 8-bit samples: `rows` are the
// filtered rows, `beforeData` chunks that go between IHDR and IDAT.
Bytes PngChunk(const char (&type)[5], const Bytes& data);
Bytes PngFile(std::uint32_t width, std::uint32_t height, std::uint8_t colourType, const Bytes& rows,
              const Bytes& beforeData = {}, std::uint8_t depth = 8, std::uint8_t interlace = 0);

// One action record as DoAction tags hold them: its code, then for codes from 0x80 on the
// length of `fields` and the fields.
Bytes Action(std::uint8_t code, const Bytes& fields = {});
// A zero-ended string, as actions hold them.
Bytes ActionString(const std::string& text);

// Compresses with LZMA as ZWS movies carry it: the 5 property bytes, then the LZMA data.
Bytes LzmaPropertiesAndData(const Bytes& bytes);

}  // namespace swivex::swf::testing
