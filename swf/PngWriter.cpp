#include "swf/PngWriter.h"

#include <zlib.h>

#include <stdexcept>
#include <string>

namespace swivex::swf {
namespace {

constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
constexpr std::uint8_t kColourTypeRgb = 2;
constexpr std::uint8_t kColourTypeRgba = 6;

void AppendBigEndian32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8)
    out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void AppendChunk(std::vector<std::uint8_t>& out, const char (&type)[5],
                 const std::vector<std::uint8_t>& data) {
  AppendBigEndian32(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t typeStart = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  const uLong crc = crc32(0L, out.data() + typeStart, static_cast<uInt>(out.size() - typeStart));
  AppendBigEndian32(out, static_cast<std::uint32_t>(crc));
}

// Deflates the image's rows, each behind its filter byte 0, one row at a time.
class RowDeflater {
 public:
  RowDeflater() {
    if (deflateInit(&stream_, Z_DEFAULT_COMPRESSION) != Z_OK) {
      throw std::runtime_error("zlib could not start deflating");
    }
  }
  RowDeflater(const RowDeflater&) = delete;
  RowDeflater& operator=(const RowDeflater&) = delete;
  ~RowDeflater() { deflateEnd(&stream_); }

  void Add(const std::vector<std::uint8_t>& row, bool last) {
    stream_.next_in = const_cast<Bytef*>(row.data());
    stream_.avail_in = static_cast<uInt>(row.size());
    const int flush = last ? Z_FINISH : Z_NO_FLUSH;
    int result = Z_OK;
    do {
      std::uint8_t chunk[16384];
      stream_.next_out = chunk;
      stream_.avail_out = sizeof chunk;
      result = deflate(&stream_, flush);
      if (result == Z_STREAM_ERROR) throw std::runtime_error("zlib failed deflating");
      out_.insert(out_.end(), chunk, chunk + (sizeof chunk - stream_.avail_out));
    } while (stream_.avail_out == 0 || (last && result != Z_STREAM_END));
  }

  const std::vector<std::uint8_t>& Deflated() const { return out_; }

 private:
  z_stream stream_{};
  std::vector<std::uint8_t> out_;
};

}  // namespace

std::vector<std::uint8_t> EncodePng(const RgbaImage& image, bool keepAlpha) {
  if (image.width == 0 || image.height == 0) {
    throw std::invalid_argument("EncodePng: a PNG file has at least one pixel");
  }
  const std::size_t channels = keepAlpha ? 4 : 3;
  std::vector<std::uint8_t> header;
  AppendBigEndian32(header, image.width);
  AppendBigEndian32(header, image.height);
  header.insert(header.end(), {8, keepAlpha ? kColourTypeRgba : kColourTypeRgb, 0, 0, 0});

  RowDeflater deflater;
  std::vector<std::uint8_t> row(1 + image.width * channels);
  for (std::uint32_t y = 0; y < image.height; ++y) {
    const std::uint8_t* in = image.pixels.data() + std::size_t{y} * image.width * 4;
    std::uint8_t* out = row.data() + 1;
    for (std::uint32_t x = 0; x < image.width; ++x, in += 4, out += channels) {
      std::copy(in, in + channels, out);
    }
    deflater.Add(row, y + 1 == image.height);
  }

  std::vector<std::uint8_t> png(std::begin(kSignature), std::end(kSignature));
  AppendChunk(png, "IHDR", header);
  AppendChunk(png, "IDAT", deflater.Deflated());
  AppendChunk(png, "IEND", {});
  return png;
}

}  // namespace swivex::swf
