#include "tests/swf/MovieBuilder.h"

#include <lzma.h>
#include <zlib.h>

#include <algorithm>
#include <stdexcept>

#include "tests/support/RedRectangleMovie.h"

namespace swivex::swf::testing {

Bytes Le16(std::uint16_t value) {
  return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8)};
}

Bytes Le32(std::uint32_t value) {
  return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
          static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}

Bytes operator+(Bytes left, const Bytes& right) {
  left.insert(left.end(), right.begin(), right.end());
  return left;
}

Bytes ZlibCompress(const Bytes& bytes) {
  uLongf size = compressBound(static_cast<uLong>(bytes.size()));
  Bytes out(size);
  if (compress2(out.data(), &size, bytes.data(), static_cast<uLong>(bytes.size()), 9) != Z_OK) {
    throw std::runtime_error("compress2 failed");
  }
  out.resize(size);
  return out;
}

Bytes Action(std::uint8_t code, const Bytes& fields) {
  if (code < 0x80) return {code};
  return Bytes{code} + Le16(static_cast<std::uint16_t>(fields.size())) + fields;
}

Bytes ActionString(const std::string& text) {
  Bytes bytes(text.begin(), text.end());
  bytes.push_back(0);
  return bytes;
}

Bytes LzmaPropertiesAndData(const Bytes& bytes) {
  lzma_options_lzma options;
  if (lzma_lzma_preset(&options, 6)) throw std::runtime_error("lzma_lzma_preset failed");
  lzma_stream stream = LZMA_STREAM_INIT;
  if (lzma_alone_encoder(&stream, &options) != LZMA_OK) {
    throw std::runtime_error("lzma_alone_encoder failed");
  }
  Bytes out(bytes.size() + bytes.size() / 2 + 4096);
  stream.next_in = bytes.data();
  stream.avail_in = bytes.size();
  stream.next_out = out.data();
  stream.avail_out = out.size();
  const lzma_ret result = lzma_code(&stream, LZMA_FINISH);
  out.resize(out.size() - stream.avail_out);
  lzma_end(&stream);
  if (result != LZMA_STREAM_END) throw std::runtime_error("LZMA encoding failed");
  // A .lzma file is the 5 property bytes, an 8-byte size, then the data: ZWS drops the size.
  out.erase(out.begin() + 5, out.begin() + 13);
  return out;
}

Bytes PngChunk(const char (&type)[5], const Bytes& data) {
  const Bytes typed = Bytes(type, type + 4) + data;
  const uLong crc = crc32(0L, typed.data(), static_cast<uInt>(typed.size()));
  Bytes chunk =
      Le32(static_cast<std::uint32_t>(data.size())) + typed + Le32(static_cast<std::uint32_t>(crc));
  std::reverse(chunk.begin(), chunk.begin() + 4);  // PNG numbers are big-endian
  std::reverse(chunk.end() - 4, chunk.end());
  return chunk;
}

Bytes PngFile(std::uint32_t width, std::uint32_t height, std::uint8_t colourType, const Bytes& rows,
              const Bytes& beforeData, std::uint8_t depth, std::uint8_t interlace) {
  Bytes header = Le32(width) + Le32(height) + Bytes{depth, colourType, 0, 0, interlace};
  std::reverse(header.begin(), header.begin() + 4);
  std::reverse(header.begin() + 4, header.begin() + 8);
  return Bytes{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A} + PngChunk("IHDR", header) +
         beforeData + PngChunk("IDAT", ZlibCompress(rows)) + PngChunk("IEND", {});
}

MovieBuilder& MovieBuilder::FrameCount(std::uint16_t count) {
  const Bytes field = Le16(count);
  std::copy(field.begin(), field.end(), body_.begin() + 11);
  return *this;
}

MovieBuilder& MovieBuilder::Tag(std::uint16_t code, const Bytes& body) {
  if (body.size() >= 0x3F) return LongTag(code, body);
  body_ = body_ + Le16(static_cast<std::uint16_t>(code << 6 | body.size())) + body;
  return *this;
}

MovieBuilder& MovieBuilder::LongTag(std::uint16_t code, const Bytes& body) {
  body_ = body_ + Le16(static_cast<std::uint16_t>(code << 6 | 0x3F)) +
          Le32(static_cast<std::uint32_t>(body.size())) + body;
  return *this;
}

MovieBuilder& MovieBuilder::Raw(const Bytes& bytes) {
  body_ = body_ + bytes;
  return *this;
}

Bytes MovieBuilder::Fws(std::optional<std::uint32_t> declared) const {
  return Bytes{'F', 'W', 'S', 10} + Le32(declared.value_or(Length())) + body_;
}

Bytes MovieBuilder::Cws(std::optional<std::uint32_t> declared) const {
  return Bytes{'C', 'W', 'S', 10} + Le32(declared.value_or(Length())) + ZlibCompress(body_);
}

Bytes MovieBuilder::Zws(std::optional<std::uint32_t> declared) const {
  const Bytes lzma = LzmaPropertiesAndData(body_);
  return Bytes{'Z', 'W', 'S', 13} + Le32(declared.value_or(Length())) +
         Le32(static_cast<std::uint32_t>(lzma.size() - 5)) + lzma;
}

Bytes GetUrlActions(std::string_view url, std::string_view target, bool stop) {
  Bytes strings(url.begin(), url.end());
  strings.push_back(0);
  strings.insert(strings.end(), target.begin(), target.end());
  strings.push_back(0);
  Bytes actions = Bytes{0x83} + Le16(static_cast<std::uint16_t>(strings.size())) + strings;
  if (stop) actions.push_back(0x07);
  actions.push_back(0x00);
  return actions;
}

GetUrlCall FsCommand(std::uint16_t frame, std::string_view command, std::string_view argument) {
  return {frame, "FSCommand:" + std::string(command), std::string(argument)};
}

Bytes RedRectangleCalling(const std::vector<GetUrlCall>& calls) {
  // The red rectangle's tags after the frame fields, without its ShowFrame and End.
  const Bytes& red = swivex::testing::kRedRectangleMovie;
  const Bytes scene(red.begin() + static_cast<std::ptrdiff_t>(kFirstTag), red.end() - 4);
  std::uint16_t frames = 1;
  for (const GetUrlCall& call : calls) frames = std::max(frames, call.frame);
  MovieBuilder movie;
  movie.FrameCount(frames).Raw(scene);
  for (std::uint16_t frame = 1; frame <= frames; ++frame) {
    for (const GetUrlCall& call : calls)
      if (call.frame == frame)
        movie.Tag(12, GetUrlActions(call.url, call.target, frames > 1 && frame == frames));
    movie.Tag(1, {});
  }
  return movie.End().Fws();
}

namespace {

// A u30 of ActionScript byte code: seven bits a byte, the lowest first.
Bytes U30(std::uint32_t value) {
  Bytes bytes;
  do {
    const auto low = static_cast<std::uint8_t>(value & 0x7F);
    value >>= 7;
    bytes.push_back(value != 0 ? (low | 0x80) : low);
  } while (value != 0);
  return bytes;
}

Bytes AbcString(std::string_view text) {
  return U30(static_cast<std::uint32_t>(text.size())) + Bytes(text.begin(), text.end());
}

}  // namespace

Bytes RedRectangleCallingFromActionScript3(std::string_view command, std::string_view argument) {
  // Strings 1-4, the package namespace "flash.system" (kind 0x16) and the QName (kind 0x07)
  // flash.system::fscommand; counts are one more than the entries.
  const Bytes pool = Bytes{0, 0, 0} + U30(5) + AbcString("flash.system") + AbcString("fscommand") +
                     AbcString(command) + AbcString(argument) + Bytes{2, 0x16, 1} + Bytes{0} +
                     Bytes{2, 0x07, 1, 2};
  // getlocal_0, pushscope, findpropstrict fscommand, pushstring command, pushstring argument,
  // callpropvoid fscommand with 2 arguments, returnvoid.
  const Bytes code = {0xD0, 0x30, 0x5D, 1, 0x2C, 3, 0x2C, 4, 0x4F, 1, 2, 0x47};
  const Bytes abc = Le16(16) + Le16(46) + pool +
                    Bytes{1, 0, 0, 0, 0} +  // one method: no parameters, no name, no flags
                    Bytes{0, 0} +           // no metadata, no classes
                    Bytes{1, 0, 0} +        // one script: its initializer is method 0
                    Bytes{1, 0, 3, 1, 0, 1} + U30(static_cast<std::uint32_t>(code.size())) + code +
                    Bytes{0, 0};  // the method's body: no exceptions, no traits
  const Bytes& red = swivex::testing::kRedRectangleMovie;
  const Bytes scene(red.begin() + static_cast<std::ptrdiff_t>(kFirstTag), red.end() - 4);
  return MovieBuilder()
      .Tag(69, {0x08, 0, 0, 0})  // FileAttributes: ActionScript 3
      .Raw(scene)
      .LongTag(82, Le32(0) + Bytes{0} + abc)  // DoABC: no flags, no name
      .Tag(1, {})
      .End()
      .Fws();
}

RepeatedMovie::RepeatedMovie(const std::vector<Run>& body) {
  std::vector<Run> runs = {Run{kFrameFields}};
  runs.insert(runs.end(), body.begin(), body.end());
  length_ = 8;
  for (const Run& run : runs) length_ += run.piece.size() * run.times;
  runs.insert(runs.begin(),
              Run{Bytes{'F', 'W', 'S', 10} + Le32(static_cast<std::uint32_t>(length_))});
  for (const Run& run : runs) {
    if (run.piece.empty()) continue;
    Bytes pattern;
    while (pattern.size() < 4096) pattern = pattern + run.piece;
    stretches_.push_back({pattern, run.piece.size(), run.piece.size() * run.times});
  }
}

std::size_t RepeatedMovie::Read(std::uint8_t* buffer, std::size_t count) {
  for (; stretch_ < stretches_.size(); ++stretch_, at_ = 0) {
    const Stretch& stretch = stretches_[stretch_];
    if (at_ == stretch.length) continue;
    const std::size_t from = static_cast<std::size_t>(at_ % stretch.period);
    const std::size_t taken = static_cast<std::size_t>(
        std::min<std::uint64_t>({count, stretch.pattern.size() - from, stretch.length - at_}));
    std::copy_n(stretch.pattern.begin() + static_cast<std::ptrdiff_t>(from), taken, buffer);
    at_ += taken;
    return taken;
  }
  return 0;
}

}  // namespace swivex::swf::testing
