#include <gtest/gtest.h>

#include "screensaver-module/PictureFit.h"

namespace swivex::glowdrift {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(PictureFit, ShrinkingAveragesBlocksOfPremultipliedPixels) {
  // Blue, green, red, alpha. The left 2x2 block is opaque blue 100 and black; the right one a
  // grey 50, opaque, beside a transparent pixel whose colour must not show.
  const BgraImage image{4, 2, {100, 0, 0, 255, 0, 0, 0, 255, 10, 20, 30, 0, 50, 50, 50, 255,
                               100, 0, 0, 255, 0, 0, 0, 255, 10, 20, 30, 0, 50, 50, 50, 255}};
  const BgraImage shrunk = ShrinkAndPremultiply(image, 2);
  EXPECT_EQ(shrunk.width, 2u);
  EXPECT_EQ(shrunk.height, 1u);
  EXPECT_EQ(shrunk.pixels, (Bytes{50, 0, 0, 255, 25, 25, 25, 128}));
}

TEST(PictureFit, ShrinksOnlyPastTheLongestSide) {
  struct Case {
    std::uint32_t width;
    std::uint32_t height;
    std::uint32_t longest;
    std::uint32_t shrunkWidth;
    std::uint32_t shrunkHeight;
  };
  // 10 x 768 / 1000 = 7.68 rounds to 8.
  const Case cases[] = {{768, 10, 768, 768, 10}, {769, 10, 768, 768, 10}, {1000, 10, 768, 768, 8}};
  for (const Case& c : cases) {
    BgraImage image{c.width, c.height, {}};
    for (std::size_t pixel = 0; pixel < std::size_t{c.width} * c.height; ++pixel)
      image.pixels.insert(image.pixels.end(), {200, 100, 50, 128});
    const BgraImage shrunk = ShrinkAndPremultiply(image, c.longest);
    EXPECT_EQ(shrunk.width, c.shrunkWidth) << c.width << "x" << c.height;
    EXPECT_EQ(shrunk.height, c.shrunkHeight) << c.width << "x" << c.height;
    // 200, 100 and 50 times 128/255, rounded.
    EXPECT_EQ(Bytes(shrunk.pixels.begin(), shrunk.pixels.begin() + 4), (Bytes{100, 50, 25, 128}));
  }
}

TEST(PictureFit, FitsTheBoxKeepingTheAspectAndEnlargesOnlySoFar) {
  struct Case {
    swf::PixelSize picture;
    swf::PixelSize box;
    double mostScale;
    swf::PixelSize fitted;
  };
  const Case cases[] = {
      {{100, 50}, {200, 200}, 1.5, {150, 75}},
      {{200, 100}, {200, 100}, 2, {200, 100}},
      {{201, 100}, {200, 100}, 2, {200, 99}},
      {{1, 1000}, {10, 10}, 2, {1, 10}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FitWithin(c.picture, c.box, c.mostScale), c.fitted)
        << c.picture.width << "x" << c.picture.height << " in " << c.box.width << "x"
        << c.box.height;
  }
}

}  // namespace
}  // namespace swivex::glowdrift
