#include "swf/JpegCleanup.h"

#include "swf/JpegMarkers.h"
#include "swf/SwfError.h"

namespace swivex::swf {
namespace {

using namespace jpeg;

// Copies the segments of one stream (tables or image) in front of the scan; returns true once
// the scan started, after copying the rest of the stream.
class SegmentCopier {
 public:
  SegmentCopier(std::vector<std::uint8_t>& out, std::uint64_t offset, const std::string& what)
      : out_(out), offset_(offset), what_(what) {}

  bool CopyStream(std::span<const std::uint8_t> stream) {
    std::size_t position = 0;
    while (position < stream.size()) {
      if (stream[position] != kMarker || stream.size() - position < 2) {
        Fail(position, "has no JPEG marker where a segment should start");
      }
      const std::uint8_t marker = stream[position + 1];
      if (marker == kMarker) {  // fill byte
        ++position;
        continue;
      }
      if (marker == kStartOfImage || marker == kEndOfImage) {
        position += 2;
        continue;
      }
      if (HasNoLength(marker)) {
        out_.insert(out_.end(), stream.begin() + position, stream.begin() + position + 2);
        position += 2;
        continue;
      }
      if (stream.size() - position < 4) Fail(position, "ends inside a segment header");
      const std::size_t length = stream[position + 2] << 8 | stream[position + 3];
      if (length < 2 || length > stream.size() - position - 2) {
        Fail(position, "has a segment that runs past its end");
      }
      if (marker == kStartOfScan) {
        out_.insert(out_.end(), stream.begin() + position, stream.end());
        return true;
      }
      out_.insert(out_.end(), stream.begin() + position, stream.begin() + position + 2 + length);
      position += 2 + length;
    }
    return false;
  }

 private:
  [[noreturn]] void Fail(std::size_t position, const std::string& problem) const {
    throw ESwfError(offset_, what_ + " " + problem + " (byte " + std::to_string(position) +
                                 " of its JPEG data)");
  }

  std::vector<std::uint8_t>& out_;
  std::uint64_t offset_;
  const std::string& what_;
};

}  // namespace

std::vector<std::uint8_t> CleanJpeg(std::span<const std::uint8_t> tables,
                                    std::span<const std::uint8_t> image, std::uint64_t offset,
                                    const std::string& what) {
  std::vector<std::uint8_t> out{kMarker, kStartOfImage};
  out.reserve(tables.size() + image.size());
  SegmentCopier copier(out, offset, what);
  if (copier.CopyStream(tables)) {
    throw ESwfError(offset, what + " has JPEG tables that hold a scan");
  }
  if (!copier.CopyStream(image)) {
    throw ESwfError(offset, what + " has JPEG data that ends before its scan");
  }
  return out;
}

}  // namespace swivex::swf
