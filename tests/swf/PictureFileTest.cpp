#include <gtest/gtest.h>
#include <zlib.h>

#include <string>

#include "swf/MovieReader.h"
#include "swf/PictureDecoding.h"
#include "swf/PictureFile.h"
#include "swf/PngDecoder.h"
#include "swf/SwfError.h"
#include "tests/swf/JpegSegments.h"
#include "tests/swf/MovieBuilder.h"

namespace swivex::swf::testing {
namespace {

class KeepAll final : public PictureVisitor {
 public:
  bool Wants(const PictureInfo&) override { return true; }
  void Take(Picture picture) override { pictures.push_back(std::move(picture)); }
  std::vector<Picture> pictures;
};

// The last picture of a movie made of `movie`'s tags.
Picture LastPicture(const MovieBuilder& movie) {
  const Bytes file = MovieBuilder(movie).End().Fws();
  MemorySource source(file);
  KeepAll visitor;
  MovieReader(source).Walk(&visitor);
  if (visitor.pictures.empty()) throw std::runtime_error("no picture");
  return visitor.pictures.back();
}

Bytes Swapped(Bytes rgba) {
  for (std::size_t i = 0; i + 3 < rgba.size(); i += 4) std::swap(rgba[i], rgba[i + 2]);
  return rgba;
}

void ExpectError(const std::function<void()>& run, std::uint64_t offset, const char* text) {
  try {
    run();
    ADD_FAILURE() << "no error";
  } catch (const ESwfError& error) {
    EXPECT_EQ(error.Offset(), offset) << error.what();
    EXPECT_NE(std::string(error.what()).find(text), std::string::npos) << error.what();
  }
}

TEST(PictureFile, JpegDataBecomesOneCleanJpegFile) {
  struct Case {
    const char* name;
    MovieBuilder movie;
    bool alphaDropped;
  };
  const Bytes gif = {'G', 'I', 'F', '8', '9', 'a', 3, 0, 2, 0};
  const Case cases[] = {
      {"DefineBits with the movie's tables",
       MovieBuilder().Tag(8, kSoi + kDqt + kDht + kEoi).Tag(6, Le16(1) + kSoi + kSof + kScan),
       false},
      {"DefineBits with tables that end with their last segment",
       MovieBuilder().Tag(8, kSoi + kDqt + kDht).Tag(6, Le16(1) + kSoi + kSof + kScan), false},
      {"DefineBits, both parts behind the erroneous header",
       MovieBuilder()
           .Tag(8, kEoi + kSoi + kDqt + kDht + kEoi)
           .Tag(6, Le16(1) + kEoi + kSoi + kSof + kScan),
       false},
      {"DefineBitsJPEG2 behind the erroneous header",
       MovieBuilder().Tag(21, Le16(2) + kEoi + kSoi + kSoi + kDqt + kDht + kSof + kScan), false},
      {"DefineBitsJPEG2 with tables and image as two streams",
       MovieBuilder().Tag(21, Le16(2) + kSoi + kDqt + kDht + kEoi + kSoi + kSof + kScan), false},
      {"DefineBitsJPEG3 with alpha",
       MovieBuilder().Tag(35, Le16(3) + Le32(static_cast<std::uint32_t>(kCleanJpeg.size())) +
                                  kCleanJpeg + ZlibCompress(Bytes(6, 0x80))),
       true},
      {"DefineBitsJPEG4 without alpha",
       MovieBuilder().Tag(90, Le16(4) + Le32(static_cast<std::uint32_t>(kCleanJpeg.size())) +
                                  Le16(0x0100) + kCleanJpeg),
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Picture picture = LastPicture(c.movie);
    EXPECT_EQ(picture.info.format, ImageFormat::kJpeg);
    EXPECT_EQ(picture.info.size, (PixelSize{3, 2}));
    const PictureFile file = ToPictureFile(picture);
    EXPECT_EQ(file.bytes, kCleanJpeg);
    EXPECT_EQ(file.extension, ".jpg");
    EXPECT_EQ(file.alphaDropped, c.alphaDropped);
    EXPECT_THROW(DecodePicture(picture), ESwfError);
  }
  EXPECT_EQ(LastPicture(cases[6].movie).info.deblocking, 0x0100);
}

TEST(PictureFile, JpegAlphaInflatesToOneBytePerPixel) {
  const Bytes alpha = {1, 2, 3, 4, 5, 6};
  const Picture picture = LastPicture(
      MovieBuilder().Tag(35, Le16(3) + Le32(static_cast<std::uint32_t>(kCleanJpeg.size())) +
                                 kCleanJpeg + ZlibCompress(alpha)));
  EXPECT_TRUE(picture.info.hasAlpha);
  EXPECT_EQ(InflateJpegAlpha(picture, {3, 2}), alpha);
  // The alpha data starts behind the long tag header (21 + 6), id, offset field and JPEG data.
  ExpectError(
      [&] {
        InflateJpegAlpha(picture, {3, 3});
      },
      21 + 6 + 6 + kCleanJpeg.size(), "fewer than the 9");
  ExpectError(
      [&] {
        InflateJpegAlpha(picture, {5, 1});
      },
      21 + 6 + 6 + kCleanJpeg.size(), "more than the 5");
}

TEST(PictureFile, JpegAlphaIsInflatedUpToThePixelLimit) {
  const Bytes alpha = ZlibCompress(Bytes(16384u * 4096u, 0xFF));
  Picture picture;
  picture.alpha = alpha;
  EXPECT_EQ(InflateJpegAlpha(picture, {16384, 4096}).size(), 16384u * 4096u);
  EXPECT_THROW(InflateJpegAlpha(picture, {16384, 4097}), ESwfError);
  EXPECT_THROW(InflateJpegAlpha(picture, {16385, 1}), ESwfError);
}

TEST(PictureFile, DamagedJpegDataIsAnError) {
  const MovieBuilder cut =
      MovieBuilder().Tag(21, Le16(2) + kSoi + Bytes{0xFF, 0xDB, 0x00, 0x09, 1});
  ExpectError([&] { ToPictureFile(LastPicture(cut)); }, 25, "runs past its end");
  const MovieBuilder oneShort = MovieBuilder().Tag(21, Le16(2) + kSoi + Bytes{0xFF, 0xDB, 0, 4, 1});
  ExpectError([&] { ToPictureFile(LastPicture(oneShort)); }, 25, "runs past its end");
  const MovieBuilder noScan = MovieBuilder().Tag(21, Le16(2) + kSoi + kDqt + kEoi);
  ExpectError([&] { ToPictureFile(LastPicture(noScan)); }, 25, "ends before its scan");
  const MovieBuilder unknown = MovieBuilder().Tag(21, Le16(2) + Bytes{'B', 'M', 0, 0});
  EXPECT_EQ(LastPicture(unknown).info.format, ImageFormat::kUnknown);
  ExpectError([&] { ToPictureFile(LastPicture(unknown)); }, 25, "neither JPEG, PNG nor GIF");
}

TEST(PictureFile, PngAndGifDataAreKeptAsTheyAre) {
  const Bytes png = PngFile(2, 1, 2, {0, 1, 2, 3, 4, 5, 6});
  const Picture inPng = LastPicture(MovieBuilder().Tag(21, Le16(5) + png));
  EXPECT_EQ(inPng.info.format, ImageFormat::kPng);
  EXPECT_EQ(inPng.info.size, (PixelSize{2, 1}));
  const PictureFile pngFile = ToPictureFile(inPng);
  EXPECT_EQ(pngFile.bytes, png);
  EXPECT_EQ(pngFile.extension, ".png");
  const BgraImage pixels = DecodePicture(inPng);
  EXPECT_EQ(pixels.width, 2u);
  EXPECT_EQ(pixels.pixels, (Bytes{3, 2, 1, 255, 6, 5, 4, 255}));

  const Bytes gif = {'G', 'I', 'F', '8', '7', 'a', 0x2C, 0x01, 0x07, 0x00, 0x80, 0, 0};
  const Picture inGif = LastPicture(MovieBuilder().Tag(35, Le16(6) + Le32(13) + gif));
  EXPECT_EQ(inGif.info.format, ImageFormat::kGif);
  EXPECT_EQ(inGif.info.size, (PixelSize{300, 7}));
  EXPECT_EQ(ToPictureFile(inGif).bytes, gif);
  EXPECT_EQ(ToPictureFile(inGif).extension, ".gif");
  EXPECT_THROW(DecodePicture(inGif), ESwfError);
}

Bytes Lossless(std::uint8_t format, std::uint16_t width, std::uint16_t height,
               const Bytes& colourCount, const Bytes& bitmap) {
  return Le16(9) + Bytes{format} + Le16(width) + Le16(height) + colourCount + ZlibCompress(bitmap);
}

TEST(PictureFile, LosslessBitmapsDecodeInEveryFormat) {
  struct Case {
    const char* name;
    std::uint16_t tag;
    Bytes body;
    std::uint32_t width;
    std::uint32_t height;
    Bytes bgra;
  };
  const Case cases[] = {
      {"colour-mapped, rows padded, an index past the table",
       20,
       Lossless(3, 3, 2, {1}, {255, 0, 0, 0, 0, 255, 0, 1, 0, 9, 1, 1, 5, 9}),
       3,
       2,
       {0,   0, 255, 255, 255, 0, 0, 255, 0, 0, 255, 255,  //
        255, 0, 0,   255, 255, 0, 0, 255, 0, 0, 0,   255}},
      {"15-bit, rows padded",
       20,
       Lossless(4, 3, 1, {}, {0x7C, 0x00, 0x03, 0xE0, 0x00, 0x10, 9, 9}),
       3,
       1,
       {0, 0, 255, 255, 0, 255, 0, 255, 132, 0, 0, 255}},
      {"24-bit",
       20,
       Lossless(5, 2, 1, {}, {0, 10, 20, 30, 0xFF, 1, 2, 3}),
       2,
       1,
       {30, 20, 10, 255, 3, 2, 1, 255}},
      {"colour-mapped with premultiplied alpha",
       36,
       Lossless(3, 2, 1, {1}, {100, 50, 0, 255, 50, 0, 0, 128, 0, 1, 9, 9}),
       2,
       1,
       {0, 50, 100, 255, 0, 0, 100, 128}},
      {"32-bit with premultiplied alpha",
       36,
       Lossless(5, 2, 1, {}, {128, 64, 32, 128, 0, 5, 5, 5}),
       2,
       1,
       {255, 64, 128, 128, 0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Picture picture = LastPicture(MovieBuilder().Tag(c.tag, c.body));
    EXPECT_EQ(picture.info.size, (PixelSize{c.width, c.height}));
    const BgraImage image = DecodePicture(picture);
    EXPECT_EQ(image.width, c.width);
    EXPECT_EQ(image.height, c.height);
    EXPECT_EQ(image.pixels, c.bgra);

    const PictureFile file = ToPictureFile(picture);
    EXPECT_EQ(file.extension, ".png");
    const RgbaImage back = DecodePng(file.bytes, 0, "written PNG");
    Bytes expected = Swapped(c.bgra);
    if (c.tag == 20) {  // written as RGB: alpha comes back opaque
      for (std::size_t i = 3; i < expected.size(); i += 4) expected[i] = 255;
    }
    EXPECT_EQ(back.pixels, expected);
  }
}

std::uint32_t BigEndianAt(const Bytes& bytes, std::size_t at) {
  return static_cast<std::uint32_t>(bytes[at] << 24 | bytes[at + 1] << 16 | bytes[at + 2] << 8 |
                                    bytes[at + 3]);
}

TEST(PictureFile, LosslessPngFilesAreWellFormed) {
  const Picture rgb = LastPicture(
      MovieBuilder().Tag(20, Lossless(3, 3, 2, {0}, {1, 2, 3, 0, 0, 0, 0, 0, 0, 0, 0})));
  const Bytes png = ToPictureFile(rgb).bytes;
  const Bytes ihdr = {0x89, 'P',  'N',  'G',  0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00,
                      0x0D, 'I',  'H',  'D',  'R',  0x00, 0x00, 0x00, 0x03, 0x00, 0x00,
                      0x00, 0x02, 0x08, 0x02, 0x00, 0x00, 0x00, 0x12, 0x16, 0xF1, 0x4D};
  ASSERT_GT(png.size(), ihdr.size() + 24);
  EXPECT_EQ(Bytes(png.begin(), png.begin() + 33), ihdr);
  const std::uint32_t idatLength = BigEndianAt(png, 33);
  EXPECT_EQ(Bytes(png.begin() + 37, png.begin() + 41), (Bytes{'I', 'D', 'A', 'T'}));
  ASSERT_EQ(png.size(), 33 + 12 + idatLength + 12);
  EXPECT_EQ(BigEndianAt(png, 41 + idatLength),
            crc32(0L, png.data() + 37, static_cast<uInt>(idatLength + 4)));
  const Bytes iend = {0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82};
  EXPECT_EQ(Bytes(png.end() - 12, png.end()), iend);

  const Picture rgba =
      LastPicture(MovieBuilder().Tag(36, Lossless(5, 2, 1, {}, {255, 1, 2, 3, 0, 0, 0, 0})));
  const Bytes alphaPng = ToPictureFile(rgba).bytes;
  const Bytes alphaIhdr = {0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x01, 0x08,
                           0x06, 0x00, 0x00, 0x00, 0xF4, 0x22, 0x7F, 0x8A};
  EXPECT_EQ(Bytes(alphaPng.begin() + 16, alphaPng.begin() + 33), alphaIhdr);
}

TEST(PictureFile, LosslessBitmapsOfTheWrongSizeAreErrors) {
  // The tag starts at 21 and its data at 30 (9 for format 3's colour count).
  struct Case {
    const char* name;
    Bytes body;
    std::uint64_t offset;
    const char* text;
  };
  Bytes damaged = Lossless(5, 1, 1, {}, {0, 1, 2, 3});
  damaged.back() ^= 0xFF;  // the Adler-32 checksum
  const Case cases[] = {
      {"fewer bytes", Lossless(5, 2, 1, {}, {0, 1, 2, 3}), 30, "fewer than the 8"},
      {"more bytes", Lossless(5, 1, 1, {}, {0, 1, 2, 3, 4}), 30, "more than the 4"},
      {"colour table missing", Lossless(3, 1, 1, {255}, {1, 2, 3}), 31, "fewer than the 772"},
      {"damaged data", damaged, 30, "is damaged"},
      {"no pixels", Lossless(5, 0, 1, {}, {}), 21, "no pixels (0x1)"},
      {"wider than the limit", Lossless(5, 16385, 1, {}, {}), 21, "16385x1 pixels"},
      {"more pixels than the limit", Lossless(5, 16384, 4097, {}, {}), 21, "16384x4097"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Picture picture = LastPicture(MovieBuilder().Tag(20, c.body));
    ExpectError([&] { DecodePicture(picture); }, c.offset, c.text);
    ExpectError([&] { ToPictureFile(picture); }, c.offset, c.text);
  }
  const Picture widest =
      LastPicture(MovieBuilder().Tag(20, Lossless(3, 16384, 1, {0}, Bytes(3 + 16384, 0))));
  EXPECT_EQ(DecodePicture(widest).pixels.size(), 16384u * 4);
}

}  // namespace
}  // namespace swivex::swf::testing
