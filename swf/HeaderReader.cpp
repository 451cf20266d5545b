#include "swf/HeaderReader.h"

#include <string>

#include "swf/LittleEndian.h"
#include "swf/SwfError.h"

namespace swivex::swf {
namespace {

constexpr std::uint64_t kSignatureSize = kBodyOffset;
constexpr std::uint64_t kLzmaFieldsSize = 9;  // the LZMA data length and the properties
// The smallest body: a rectangle of zero-bit fields, the frame rate and count.
constexpr std::uint64_t kSmallestMovie = kSignatureSize + 1 + 4;

void ReadExactly(ByteSource& file, std::uint8_t* buffer, std::size_t count, std::uint64_t offset,
                 const char* what) {
  const std::size_t arrived = ReadUpTo(file, buffer, count);
  if (arrived < count) {
    throw ESwfError(offset + arrived, std::string("the file ends inside the header's ") + what);
  }
}

Compression CompressionOf(const std::uint8_t* signature) {
  if (signature[1] == 'W' && signature[2] == 'S') {
    if (signature[0] == 'F') return Compression::kNone;
    if (signature[0] == 'C') return Compression::kZlib;
    if (signature[0] == 'Z') return Compression::kLzma;
  }
  throw ESwfError(0, "this is not a movie: it starts with neither FWS, CWS nor ZWS");
}

// Reads the frame rectangle: a 5-bit field width, then four signed fields of that width.
class BitReader {
 public:
  explicit BitReader(MovieStream& movie) : movie_(movie) {}

  std::uint32_t Unsigned(unsigned bits) {
    std::uint32_t value = 0;
    for (unsigned i = 0; i < bits; ++i) {
      if (available_ == 0) {
        current_ = movie_.ReadU8("the frame size");
        available_ = 8;
      }
      --available_;
      value = value << 1 | ((current_ >> available_) & 1u);
    }
    return value;
  }

  std::int32_t Signed(unsigned bits) {
    if (bits == 0) return 0;
    const std::uint32_t value = Unsigned(bits);
    const std::uint32_t sign = 1u << (bits - 1);
    return static_cast<std::int32_t>(static_cast<std::int64_t>(value ^ sign) -
                                     static_cast<std::int64_t>(sign));
  }

 private:
  MovieStream& movie_;
  std::uint8_t current_ = 0;
  unsigned available_ = 0;
};

}  // namespace

FileHeader ReadFileHeader(ByteSource& file) {
  std::uint8_t bytes[kSignatureSize];
  const std::size_t arrived = ReadUpTo(file, bytes, 3);
  if (arrived < 3) throw ESwfError(arrived, "the file ends inside the header's signature");
  FileHeader header;
  header.compression = CompressionOf(bytes);
  ReadExactly(file, bytes + 3, 5, 3, "version and length");
  header.version = bytes[3];
  header.declaredLength = LittleEndian32(bytes + 4);
  if (header.declaredLength < kSmallestMovie) {
    throw ESwfError(4, "the declared length of " + std::to_string(header.declaredLength) +
                           " bytes is shorter than the smallest movie");
  }
  if (header.compression == Compression::kLzma) {
    std::uint8_t fields[kLzmaFieldsSize];
    ReadExactly(file, fields, kLzmaFieldsSize, kSignatureSize, "LZMA fields");
    header.lzmaDataLength = LittleEndian32(fields);
    for (std::size_t i = 0; i < header.lzmaProperties.size(); ++i) {
      header.lzmaProperties[i] = fields[4 + i];
    }
  }
  return header;
}

void ReadFrameFields(MovieStream& movie, SwfHeader& header) {
  BitReader bits(movie);
  const unsigned fieldBits = bits.Unsigned(5);
  header.frame.xMin = bits.Signed(fieldBits);
  header.frame.xMax = bits.Signed(fieldBits);
  header.frame.yMin = bits.Signed(fieldBits);
  header.frame.yMax = bits.Signed(fieldBits);
  header.frameRate = movie.ReadU16("the frame rate");
  header.frameCount = movie.ReadU16("the frame count");
  header.firstTagOffset = movie.Offset();
}

}  // namespace swivex::swf
