#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "swf/MovieReader.h"
#include "swf/PictureDecoding.h"
#include "swf/SwfError.h"
#include "tests/support/TestFiles.h"
#include "tests/swf/MovieBuilder.h"

namespace swivex::swf::testing {
namespace {

// 8x4 pixels of red 200, green 60, blue 40, made with ImageMagick:
//   convert -size 8x4 xc:'#C83C28' -strip -quality 95 -sampling-factor 1x1 solid-8x4.jpg
// Its tables (two DQT, four DHT) lie between offsets 20 and 158, and 177 and 266; the frame
// header between them.
Bytes SolidJpeg() {
  return swivex::testing::ReadBytes(std::string(SWIVEX_SWF_SAMPLES) + "solid-8x4.jpg");
}

Bytes Slice(const Bytes& bytes, std::size_t from, std::size_t to) {
  return Bytes(bytes.begin() + from, bytes.begin() + to);
}

class KeepLast final : public PictureVisitor {
 public:
  bool Wants(const PictureInfo&) override { return true; }
  void Take(Picture taken) override { picture = std::move(taken); }
  Picture picture;
};

Picture LastPicture(MovieBuilder movie) {
  const Bytes file = movie.End().Fws();
  MemorySource source(file);
  KeepLast visitor;
  MovieReader(source).Walk(&visitor);
  return visitor.picture;
}

TEST(JpegDecoding, JpegTagsDecodeWithTheirTablesAndAlpha) {
  const Bytes jpeg = SolidJpeg();
  const Bytes soi = {0xFF, 0xD8};
  const Bytes eoi = {0xFF, 0xD9};
  const Bytes tables = soi + Slice(jpeg, 20, 158) + Slice(jpeg, 177, 266) + eoi;
  const Bytes image = soi + Slice(jpeg, 158, 177) + Slice(jpeg, 266, jpeg.size());
  Bytes alpha;
  for (int pixel = 0; pixel < 32; ++pixel) alpha.push_back(static_cast<std::uint8_t>(pixel * 8));
  const Bytes opaque(32, 255);
  struct Case {
    const char* what;
    MovieBuilder movie;
    Bytes alpha;
  };
  const Case cases[] = {
      {"DefineBitsJPEG2 behind the erroneous header",
       MovieBuilder().LongTag(21, Le16(1) + eoi + jpeg), opaque},
      {"DefineBits with the movie's tables",
       MovieBuilder().LongTag(8, tables).LongTag(6, Le16(1) + image), opaque},
      {"DefineBitsJPEG3 with alpha",
       MovieBuilder().LongTag(35, Le16(1) + Le32(static_cast<std::uint32_t>(jpeg.size())) + jpeg +
                                      ZlibCompress(alpha)),
       alpha},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const BgraImage decoded = DecodePicture(LastPicture(c.movie));
    ASSERT_EQ(decoded.width, 8u);
    ASSERT_EQ(decoded.height, 4u);
    ASSERT_EQ(decoded.pixels.size(), 8u * 4 * 4);
    for (std::size_t pixel = 0; pixel < 32; ++pixel) {
      const std::uint8_t* bgra = decoded.pixels.data() + pixel * 4;
      EXPECT_LE(std::abs(bgra[0] - 40), 3) << pixel;
      EXPECT_LE(std::abs(bgra[1] - 60), 3) << pixel;
      EXPECT_LE(std::abs(bgra[2] - 200), 3) << pixel;
      EXPECT_EQ(bgra[3], c.alpha[pixel]) << pixel;
    }
  }
}

TEST(JpegDecoding, ThePixelLimitIsKeptBeforeDecoding) {
  const Bytes jpeg = SolidJpeg();
  const Picture inJpeg = LastPicture(MovieBuilder().LongTag(21, Le16(4) + jpeg));
  const Picture lossless = LastPicture(
      MovieBuilder().Tag(20, Le16(5) + Bytes{5} + Le16(2) + Le16(2) + ZlibCompress(Bytes(16, 7))));
  EXPECT_EQ(DecodePicture(inJpeg, 32).width, 8u);
  EXPECT_EQ(DecodePicture(lossless, 4).width, 2u);
  const struct {
    const char* what;
    const Picture& picture;
    std::uint64_t mostPixels;
    std::uint64_t offset;
    const char* text;
  } refusals[] = {
      {"JPEG over the limit", inJpeg, 31, kFirstTag + 6 + 2, "picture 4 (DefineBitsJPEG2): "},
      {"lossless over the limit", lossless, 3, kFirstTag, "more than the 3 asked for"},
  };
  for (const auto& refusal : refusals) {
    try {
      DecodePicture(refusal.picture, refusal.mostPixels);
      ADD_FAILURE() << refusal.what << ": decoded";
    } catch (const ESwfError& error) {
      EXPECT_EQ(error.Offset(), refusal.offset) << refusal.what;
      EXPECT_NE(std::string(error.what()).find(refusal.text), std::string::npos) << error.what();
    }
  }
}

}  // namespace
}  // namespace swivex::swf::testing
