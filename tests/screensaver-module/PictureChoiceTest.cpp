#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "screensaver-module/MoviePictures.h"
#include "screensaver-module/PictureChoice.h"
#include "tests/swf/MovieBuilder.h"

namespace swivex::glowdrift {
namespace {

using swf::ImageFormat;
using swf::PictureInfo;
using swf::PixelSize;
using swf::testing::Bytes;
using swf::testing::Le16;
using swf::testing::MovieBuilder;
using swf::testing::operator+;

PictureInfo Info(std::uint16_t id, ImageFormat format, std::optional<PixelSize> size,
                 std::uint32_t dataLength = 100, std::uint32_t alphaLength = 0) {
  PictureInfo info;
  info.characterId = id;
  info.format = format;
  info.size = size;
  info.dataLength = dataLength;
  info.alphaLength = alphaLength;
  return info;
}

std::vector<std::uint16_t> Ids(const std::vector<PictureInfo>& pictures) {
  std::vector<std::uint16_t> ids;
  for (const PictureInfo& picture : pictures) ids.push_back(picture.characterId);
  return ids;
}

TEST(PictureChoice, LargestFirstDecodableOnlyAndBounded) {
  constexpr auto kJpeg = ImageFormat::kJpeg;
  constexpr auto kPng = ImageFormat::kPng;
  constexpr auto kLossless = ImageFormat::kLossless;
  struct Case {
    const char* what;
    std::vector<PictureInfo> pictures;
    std::vector<std::uint16_t> ranked;
  };
  const Case cases[] = {
      {"none", {}, {}},
      {"by area, not by width",
       {Info(1, kPng, PixelSize{10, 10}), Info(2, kLossless, PixelSize{30, 2}),
        Info(3, kJpeg, PixelSize{7, 20})},
       {3, 1, 2}},
      {"equal areas keep the movie's order",
       {Info(1, kPng, PixelSize{4, 1}), Info(2, kPng, PixelSize{2, 2}),
        Info(3, kPng, PixelSize{1, 4})},
       {1, 2, 3}},
      {"unknown sizes last",
       {Info(1, kJpeg, std::nullopt), Info(2, kPng, PixelSize{1, 1})},
       {2, 1}},
      {"GIF and unknown data left out",
       {Info(1, ImageFormat::kGif, PixelSize{50, 50}), Info(2, ImageFormat::kUnknown, std::nullopt),
        Info(3, kPng, PixelSize{1, 1})},
       {3}},
      {"the decoded size limit, at its edge",
       {Info(1, kLossless, PixelSize{4096, 2048}), Info(2, kLossless, PixelSize{4097, 2048}),
        Info(3, kJpeg, PixelSize{1, 8u << 20}), Info(4, kJpeg, PixelSize{1, (8u << 20) + 1})},
       {1, 3}},
      {"the stored size limit, at its edge",
       {Info(1, kJpeg, PixelSize{1, 1}, 64u << 20), Info(2, kJpeg, PixelSize{1, 1}, 64u << 20, 1),
        Info(3, kPng, PixelSize{1, 1}, (64u << 20) + 1)},
       {1}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Ids(RankPictures(c.pictures)), c.ranked) << c.what;
  }
  // At most 24 tries: the largest 24 of 25 pictures, as many as there are of 24.
  std::vector<PictureInfo> many;
  for (std::uint16_t id = 1; id <= 25; ++id) many.push_back(Info(id, kPng, PixelSize{id, 1}));
  const std::vector<PictureInfo> ranked = RankPictures(many);
  ASSERT_EQ(ranked.size(), 24u);
  EXPECT_EQ(ranked.back().characterId, 2);
  EXPECT_EQ(RankPictures({many.begin(), many.begin() + 24}).size(), 24u);
}

// A DefineBitsLossless picture of one colour: 32-bit pixels, each a pad byte and red, green,
// blue. `damaged` replaces its compressed pixels with bytes that are no zlib stream.
Bytes SolidLossless(std::uint16_t id, std::uint16_t width, std::uint16_t height, std::uint8_t red,
                    bool damaged = false) {
  Bytes pixels(std::size_t{width} * height * 4, 0);
  for (std::size_t at = 0; at < pixels.size(); at += 4) {
    pixels[at + 1] = red;
    pixels[at + 2] = 20;
    pixels[at + 3] = 30;
  }
  const Bytes data = damaged ? Bytes(40, 0x55) : swf::testing::ZlibCompress(pixels);
  return Le16(id) + Bytes{5} + Le16(width) + Le16(height) + data;
}

// The movie as its own opener: each call starts again from its first byte.
std::vector<BgraImage> PicturesOf(const Bytes& movie) {
  return ReadMoviePictures(
      [&] { return std::make_unique<swf::MemorySource>(std::span<const std::uint8_t>(movie)); });
}

std::vector<std::uint32_t> Widths(const std::vector<BgraImage>& images) {
  std::vector<std::uint32_t> widths;
  for (const BgraImage& image : images) widths.push_back(image.width);
  return widths;
}

TEST(MoviePictures, TwelveLargestThatDecodeInOrder) {
  MovieBuilder movie;
  for (std::uint16_t width = 1; width <= 15; ++width)
    movie.Tag(20, SolidLossless(width, width, 2, static_cast<std::uint8_t>(width)));
  movie.Tag(20, SolidLossless(99, 40, 2, 0, true));  // the largest, and damaged
  movie.Tag(21, Le16(98) + Bytes{'G', 'I', 'F', '8', '9', 'a', 60, 0, 60, 0, 0, 0, 0});
  const std::vector<BgraImage> pictures = PicturesOf(movie.End().Cws());
  EXPECT_EQ(Widths(pictures),
            (std::vector<std::uint32_t>{15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4}));
  ASSERT_FALSE(pictures.empty());
  EXPECT_EQ(pictures[0].height, 2u);
  EXPECT_EQ(pictures[0].pixels.size(), 15u * 2 * 4);
  EXPECT_EQ(Bytes(pictures[0].pixels.begin(), pictures[0].pixels.begin() + 4),
            (Bytes{30, 20, 15, 255}));
}

TEST(MoviePictures, AMovieWithoutPicturesHasNoneAndAFileThatIsNoMovieRaises) {
  EXPECT_TRUE(PicturesOf(MovieBuilder().Tag(1, {}).End().Zws()).empty());
  Bytes notAMovie = MovieBuilder().Tag(20, SolidLossless(1, 2, 2, 9)).End().Fws();
  notAMovie[0] = 'G';
  EXPECT_ANY_THROW(PicturesOf(notAMovie));
}

// The kinds of defect are the walk's own tests; here, that the saver walks up to one and takes
// the walk's refusals rather than losing every picture.
TEST(MoviePictures, ADefectCostsOnlyWhatItDamages) {
  const Bytes jpeg = {0xFF, 0xD8, 0xFF, 0xC0, 0x00, 0x0B, 0x08, 0x00, 0x09, 0x00, 0x09,
                      0x01, 0x01, 0x11, 0x00, 0xFF, 0xDA, 0x00, 0x02, 0x00, 0xFF, 0xD9};
  const MovieBuilder three = MovieBuilder().Tag(20, SolidLossless(1, 3, 2, 1));
  const Bytes noEnd = MovieBuilder(three).Tag(20, SolidLossless(2, 2, 2, 2)).Zws();
  EXPECT_EQ(Widths(PicturesOf(noEnd)), (std::vector<std::uint32_t>{3, 2})) << "no End tag";
  const Bytes tablesTooLong = MovieBuilder(three)
                                  .LongTag(8, Bytes(64 * 1024 + 1, 0))
                                  .Tag(6, Le16(3) + jpeg)
                                  .Tag(20, SolidLossless(2, 2, 2, 2))
                                  .End()
                                  .Fws();
  EXPECT_EQ(Widths(PicturesOf(tablesTooLong)), (std::vector<std::uint32_t>{3, 2}))
      << "JPEG tables too long to keep, and a picture that needs them";
}

}  // namespace
}  // namespace swivex::glowdrift
