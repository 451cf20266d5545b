#include <gtest/gtest.h>

#include <string>

#include "swf/PngDecoder.h"
#include "swf/SwfError.h"
#include "tests/swf/MovieBuilder.h"

namespace swivex::swf::testing {
namespace {

struct Decoded {
  const char* name;
  Bytes png;
  std::uint32_t width;
  std::uint32_t height;
  Bytes rgba;
};

TEST(PngDecoder, DecodesTheUsualColourTypesAndEveryFilter) {
  const Decoded cases[] = {
      {"grey", PngFile(2, 1, 0, {0, 10, 20}), 2, 1, {10, 10, 10, 255, 20, 20, 20, 255}},
      {"grey with a colour key",
       PngFile(2, 1, 0, {0, 10, 20}, PngChunk("tRNS", {0, 20})),
       2,
       1,
       {10, 10, 10, 255, 20, 20, 20, 0}},
      {"RGB with a colour key",
       PngFile(2, 1, 2, {0, 1, 2, 3, 4, 5, 6}, PngChunk("tRNS", {0, 4, 0, 5, 0, 6})),
       2,
       1,
       {1, 2, 3, 255, 4, 5, 6, 0}},
      {"palette with transparency",
       PngFile(2, 1, 3, {0, 1, 0}, PngChunk("PLTE", {1, 2, 3, 4, 5, 6}) + PngChunk("tRNS", {128})),
       2,
       1,
       {4, 5, 6, 255, 1, 2, 3, 128}},
      {"grey and alpha", PngFile(1, 1, 4, {0, 7, 99}), 1, 1, {7, 7, 7, 99}},
      {"RGBA, Sub then Up",
       PngFile(2, 2, 6, {1, 10, 20, 30, 40, 5, 5, 5, 5, 2, 1, 1, 1, 1, 2, 2, 2, 2}),
       2,
       2,
       {10, 20, 30, 40, 15, 25, 35, 45, 11, 21, 31, 41, 17, 27, 37, 47}},
      {"grey, None, Average, Paeth",
       PngFile(2, 3, 0, {0, 100, 50, 3, 10, 10, 4, 10, 10}),
       2,
       3,
       {100, 100, 100, 255, 50, 50, 50, 255, 60, 60, 60, 255,
        65,  65,  65,  255, 70, 70, 70, 255, 80, 80, 80, 255}},
      {"grey, Average of odd sums, one of them past 255",
       PngFile(2, 2, 0, {0, 255, 254, 3, 0, 0}),
       2,
       2,
       {255, 255, 255, 255, 254, 254, 254, 255, 127, 127, 127, 255, 190, 190, 190, 255}},
      {"an unknown ancillary chunk is passed over",
       PngFile(1, 1, 0, {0, 9}, PngChunk("tEXt", {'a', 0, 'b'})),
       1,
       1,
       {9, 9, 9, 255}},
  };
  for (const Decoded& c : cases) {
    SCOPED_TRACE(c.name);
    const RgbaImage image = DecodePng(c.png, 0, "test");
    EXPECT_EQ(image.width, c.width);
    EXPECT_EQ(image.height, c.height);
    EXPECT_EQ(image.pixels, c.rgba);
  }
}

TEST(PngDecoder, RefusesWhatItDoesNotDecodeAndDamage) {
  struct Refused {
    const char* name;
    Bytes png;
    std::uint64_t position;
    const char* text;
  };
  Bytes badCrc = PngFile(1, 1, 0, {0, 9});
  badCrc[29] ^= 1;  // the IHDR chunk's CRC
  const Bytes good = PngFile(1, 1, 0, {0, 9});
  const Bytes noEnd(good.begin(), good.end() - 12);
  Bytes pastEnd = good;
  pastEnd[33 + 3] = 0x7F;  // the IDAT chunk claims more than the file holds
  const Refused cases[] = {
      {"not PNG", {'G', 'I', 'F', '8', '9', 'a', 0, 0, 0}, 0, "PNG signature"},
      {"16-bit samples", PngFile(1, 1, 0, {0, 0, 9}, {}, 16), 8, "16-bit samples"},
      {"interlaced", PngFile(1, 1, 0, {0, 9}, {}, 8, 1), 8, "interlaced"},
      {"undefined colour type", PngFile(1, 1, 5, {0, 9}), 8, "colour type 5"},
      {"wrong CRC", badCrc, 8, "CRC is wrong"},
      {"no IEND", noEnd, noEnd.size(), "before its IEND"},
      {"chunk past the end", pastEnd, 33, "runs past its end"},
      {"too few pixel bytes", PngFile(2, 1, 0, {0, 9}), 33, "fewer than the 3"},
      {"too many pixel bytes", PngFile(1, 1, 0, {0, 9, 9}), 33, "more than the 2"},
      {"unknown filter", PngFile(1, 1, 0, {5, 9}), 33, "filter type 5"},
      {"palette index past the palette",
       PngFile(1, 1, 3, {0, 2}, PngChunk("PLTE", {1, 2, 3, 4, 5, 6})), 51, "past its palette"},
      {"palette pixels without a palette", PngFile(1, 1, 3, {0, 0}), 0, "no PLTE"},
      {"unknown critical chunk", PngFile(1, 1, 0, {0, 9}, PngChunk("ABCD", {})), 33,
       "critical chunk ABCD"},
      {"wider than the limit", PngFile(16385, 1, 0, {}), 8, "16385x1"},
      {"more pixels than the limit", PngFile(16384, 4097, 0, {}), 8, "16384x4097"},
      {"no pixels", PngFile(0, 1, 0, {}), 8, "0x1"},
  };
  for (const Refused& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      DecodePng(c.png, 1000, "test PNG");
      ADD_FAILURE() << "decoded";
    } catch (const ESwfError& error) {
      EXPECT_EQ(error.Offset(), 1000 + c.position) << error.what();
      EXPECT_NE(std::string(error.what()).find(c.text), std::string::npos) << error.what();
    }
  }
}

TEST(PngDecoder, DecodesAtTheSizeLimit) {
  const Bytes row = Bytes{0} + Bytes(16384, 77);
  const RgbaImage wide = DecodePng(PngFile(16384, 1, 0, row), 0, "wide");
  EXPECT_EQ(wide.width, 16384u);
  EXPECT_EQ(wide.pixels[4 * 16383], 77);
}

}  // namespace
}  // namespace swivex::swf::testing
