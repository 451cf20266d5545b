// Feeds the movie reader arbitrary bytes: the header, the walk up to its first defect with every
// picture kept or refused, each picture turned into a file and, where this reader decodes it
// (JPEG too), into pixels, and the first frame's actions as a projector reads them. Whatever the
// bytes, each step answers or raises ESwfError naming an offset inside the movie; its output stays
// within the picture limits.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "swf/FirstFrame.h"
#include "swf/MovieReader.h"
#include "swf/PictureDecoding.h"
#include "swf/PictureFile.h"
#include "swf/PictureLimits.h"
#include "swf/SwfError.h"

namespace {

using namespace swivex::swf;

void Check(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "broken promise: %s\n", what);
  std::abort();
}

// The furthest offset an error may name: the declared length, or the fields in front of a
// ZWS body when the header itself is at fault.
std::uint64_t FurthestOffset(const std::uint8_t* data, std::size_t size) {
  std::uint64_t declared = 0;
  if (size >= 8) {
    declared = data[4] | data[5] << 8 | data[6] << 16 | std::uint64_t{data[7]} << 24;
  }
  return declared > 17 ? declared : 17;
}

void CheckError(const ESwfError& error, std::uint64_t furthest) {
  Check(error.Offset() <= furthest, "an error names an offset inside the movie");
  Check(std::strstr(error.what(), "at offset ") != nullptr, "an error's text names its offset");
}

// JPEG files are the tables and data at most, PNG and GIF data are kept, lossless bitmaps are
// their rows deflated, which zlib grows by a thousandth at most, plus the chunks.
std::uint64_t LargestFile(const Picture& picture) {
  const PictureInfo& info = picture.info;
  if (info.format != ImageFormat::kLossless) {
    return picture.data.size() + picture.jpegTables.size() + 2;
  }
  const std::uint64_t rows = (std::uint64_t{info.size->width} * 4 + 1) * info.size->height;
  return rows + rows / 1000 + 1024;
}

// Every picture is taken; the first few are also converted. A movie can hold thousands of
// pictures, and mutations copy picture tags readily: converting each, mostly to an error, made
// the run's cost follow the number of copies rather than what they reach. Any picture can be
// made the first by a mutation, so the first few reach every conversion.
constexpr std::size_t kPicturesConverted = 4;

class ConvertFirstPictures final : public PictureVisitor {
 public:
  explicit ConvertFirstPictures(std::uint64_t furthest) : furthest_(furthest) {}

  bool Wants(const PictureInfo&) override { return true; }

  void Take(Picture picture) override {
    ++taken;
    Check(picture.data.size() == picture.info.dataLength, "a picture's data is all its data");
    if (taken > kPicturesConverted) return;
    try {
      const PictureFile file = ToPictureFile(picture);
      Check(!file.extension.empty(), "a picture file has an extension");
      Check(file.bytes.size() <= LargestFile(picture), "a picture file is no larger than its data");
    } catch (const ESwfError& error) {
      CheckError(error, furthest_);
    }
    try {
      const swivex::BgraImage image = DecodePicture(picture);
      Check(image.width >= 1 && image.width <= kMaxPictureSide, "decoded width within limits");
      Check(image.height >= 1 && image.height <= kMaxPictureSide, "decoded height within limits");
      Check(image.pixels.size() == std::size_t{image.width} * image.height * 4,
            "four bytes a decoded pixel");
    } catch (const ESwfError& error) {
      CheckError(error, furthest_);
    }
    if (picture.info.size && !picture.alpha.empty()) {
      try {
        const PixelSize size = *picture.info.size;
        Check(InflateJpegAlpha(picture, size).size() == std::size_t{size.width} * size.height,
              "one alpha byte a pixel");
      } catch (const ESwfError& error) {
        CheckError(error, furthest_);
      }
    }
  }

  void Refuse(const PictureInfo&, const ESwfError& reason) override {
    ++refused;
    CheckError(reason, furthest_);
  }

  std::size_t taken = 0;
  std::size_t refused = 0;

 private:
  std::uint64_t furthest_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::uint64_t furthest = FurthestOffset(data, size);
  MemorySource source({data, size});
  ConvertFirstPictures visitor(furthest);
  try {
    MovieReader reader(source);
    Check(reader.Header().declaredLength == furthest || furthest == 17,
          "the header's length is the file's length field");
    const MovieSummary summary = reader.WalkUntilDefect(&visitor);
    Check(summary.pictures.size() == visitor.taken + visitor.refused,
          "every picture listed was handed over or refused");
    if (summary.defect) {
      CheckError(*summary.defect, furthest);
    } else {
      Check(summary.tagCounts.count(0) == 1, "a walk ends at an End tag");
    }
  } catch (const ESwfError& error) {
    CheckError(error, furthest);
  }
  MemorySource again({data, size});
  try {
    ReadFirstFrame(again);
  } catch (const ESwfError& error) {
    CheckError(error, furthest);
  }
  return 0;
}
