#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "common/Exceptions.h"
#include "pictures/JpegPicture.h"
#include "tests/support/TestFiles.h"

namespace swivex::testing {
namespace {

// Folders given by the build, spelled as the test program's system spells them, each ending in
// a separator.
const std::string kAboutFolder = SWIVEX_ABOUT_FOLDER;
// Other encodings of the About picture's drawing, made with ImageMagick from AboutPicture.ppm:
//   convert AboutPicture.ppm -strip -quality 90 -interlace JPEG progressive.jpg
//   convert AboutPicture.ppm -strip -colorspace Gray -quality 90 grey.jpg
//   convert AboutPicture.ppm -strip -colorspace CMYK -quality 90 cmyk.jpg
const std::string kSamplesFolder = SWIVEX_JPEG_SAMPLES;

const std::string kErrorStart = "The JPEG picture cannot be read: ";

Bytes AboutPictureBytes() { return ReadBytes(kAboutFolder + "AboutPicture.jpg"); }

struct Rgb {
  int red = 0;
  int green = 0;
  int blue = 0;
};

// The drawing that the About picture was made from, as make-picture.sh writes it (plain PPM).
struct Drawing {
  int width = 0;
  int height = 0;
  std::vector<Rgb> pixels;

  const Rgb& At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

Drawing ReadDrawing() {
  std::ifstream file(kAboutFolder + "AboutPicture.ppm");
  std::string magic;
  int most = 0;
  Drawing drawing;
  file >> magic >> drawing.width >> drawing.height >> most;
  drawing.pixels.resize(static_cast<std::size_t>(drawing.width) * drawing.height);
  for (Rgb& pixel : drawing.pixels) file >> pixel.red >> pixel.green >> pixel.blue;
  if (!file || magic != "P3" || most != 255) ADD_FAILURE() << "AboutPicture.ppm is not plain PPM";
  return drawing;
}

Rgb PixelAt(const BgraImage& image, int x, int y) {
  const std::uint8_t* pixel = image.pixels.data() + (y * image.width + x) * 4;
  return {pixel[2], pixel[1], pixel[0]};
}

int ChannelDifference(const Rgb& a, const Rgb& b) {
  return std::max(
      {std::abs(a.red - b.red), std::abs(a.green - b.green), std::abs(a.blue - b.blue)});
}

// Bytes of `bytes` up to (not including) the first occurrence of the marker 0xFF `code`.
std::size_t MarkerOffset(const Bytes& bytes, std::uint8_t code) {
  for (std::size_t at = 0; at + 1 < bytes.size(); ++at) {
    if (bytes[at] == 0xFF && bytes[at + 1] == code) return at;
  }
  ADD_FAILURE() << "no marker 0xFF" << std::hex << int{code};
  return bytes.size();
}

// Where the entropy-coded data of the (only) scan begin: after the start-of-scan segment.
std::size_t ScanDataOffset(const Bytes& bytes) {
  const std::size_t sos = MarkerOffset(bytes, 0xDA);
  return sos + 2 + (bytes[sos + 2] << 8 | bytes[sos + 3]);
}

Bytes FirstBytes(const Bytes& bytes, std::size_t count) {
  return Bytes(bytes.begin(), bytes.begin() + count);
}

// Expects an error report with libjpeg's reason, never an exit.
template <typename Step>
void ExpectReadError(Step step, const std::string& what) {
  try {
    step();
    ADD_FAILURE() << what << ": no error report";
  } catch (const Exception& error) {
    EXPECT_EQ(error.Message().rfind(kErrorStart, 0), 0u) << what << ": " << error.Message();
    EXPECT_GT(error.Message().size(), kErrorStart.size()) << what << ": no reason given";
  }
}

TEST(JpegPicture, AboutPictureHeaderGivesSizeAndColourSpaceWithoutDecoding) {
  const JpegPicture picture = JpegPicture::ReadHeader(AboutPictureBytes());
  EXPECT_EQ(picture.Width(), 32);
  EXPECT_EQ(picture.Height(), 32);
  EXPECT_EQ(picture.ColorSpace(), JpegColorSpace::YCbCr);
  EXPECT_FALSE(picture.IsDecoded());
}

// The committed picture (baseline, 4:2:0) and a progressive 4:4:4 encoding of the same drawing
// come out as the drawing within what JPEG's losses allow (a mean of 15 and at most 56 for the
// 4:2:0 picture, whose colour is stored at half resolution). A swap of red and blue would cost
// a mean of 48, and 76 in the strip.
TEST(JpegPicture, DecodedPicturesMatchTheDrawingTheyWereMadeFrom) {
  const Drawing drawing = ReadDrawing();
  ASSERT_EQ(drawing.width, 32);
  ASSERT_EQ(drawing.height, 32);
  struct Source {
    std::string name;
    std::string file;
  };
  const Source sources[] = {{"the About picture", kAboutFolder + "AboutPicture.jpg"},
                            {"progressive", kSamplesFolder + "progressive.jpg"}};
  for (const Source& source : sources) {
    SCOPED_TRACE(source.name);
    JpegPicture picture = JpegPicture::ReadHeader(ReadBytes(source.file));
    const BgraImage& image = picture.Decode();
    ASSERT_EQ(image.width, 32u);
    ASSERT_EQ(image.height, 32u);
    ASSERT_EQ(image.pixels.size(), 32u * 32u * 4u);

    long total = 0;
    int most = 0;
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 32; ++x) {
        const int difference = ChannelDifference(PixelAt(image, x, y), drawing.At(x, y));
        total += difference;
        most = std::max(most, difference);
        EXPECT_EQ(image.pixels[(y * image.width + x) * 4 + 3], 255) << x << "," << y;
      }
    }
    EXPECT_LE(total / (32 * 32), 20) << "mean difference";
    EXPECT_LE(most, 64) << "largest difference";

    // One point inside each part of the drawing.
    struct Point {
      const char* part;
      int x;
      int y;
    };
    const Point points[] = {{"background", 0, 16}, {"strip", 15, 1},      {"hole", 6, 11},
                            {"sky", 15, 4},        {"leaf", 15, 15},      {"sky", 11, 25},
                            {"strip", 8, 16},      {"background", 31, 31}};
    for (const Point& point : points) {
      EXPECT_LE(ChannelDifference(PixelAt(image, point.x, point.y), drawing.At(point.x, point.y)),
                28)
          << point.part << " at " << point.x << "," << point.y;
    }
  }
}

TEST(JpegPicture, PixelsAreDecodedOnFirstUseAndKept) {
  JpegPicture picture = JpegPicture::ReadHeader(AboutPictureBytes());
  ASSERT_FALSE(picture.IsDecoded());
  const BgraImage& first = picture.Decode();
  EXPECT_TRUE(picture.IsDecoded());
  const BgraImage& second = picture.Decode();
  EXPECT_EQ(&first, &second);
}

// A header that is whole is all that creating the About box needs; data cut off anywhere after
// it show only when the pixels are decoded, and a failed decoding keeps nothing.
TEST(JpegPicture, DataCutOffAfterTheHeaderFailOnlyWhenDecoded) {
  const Bytes whole = AboutPictureBytes();
  const std::size_t scan = ScanDataOffset(whole);
  const std::size_t end = MarkerOffset(whole, 0xD9);
  ASSERT_LT(scan + 40, end);
  struct Cut {
    const char* what;
    std::size_t keep;
  };
  const Cut cuts[] = {{"no scan data", scan},
                      {"a little scan data", scan + 40},
                      {"half the scan data", (scan + end) / 2},
                      {"all but the end marker", end}};
  for (const Cut& cut : cuts) {
    SCOPED_TRACE(cut.what);
    JpegPicture picture = JpegPicture::ReadHeader(FirstBytes(whole, cut.keep));
    EXPECT_EQ(picture.Width(), 32);
    EXPECT_EQ(picture.Height(), 32);
    EXPECT_FALSE(picture.IsDecoded());
    ExpectReadError([&] { picture.Decode(); }, cut.what);
    EXPECT_FALSE(picture.IsDecoded());
    ExpectReadError([&] { picture.Decode(); }, std::string(cut.what) + ", again");
  }
}

// libjpeg would carry on after damaged scan data with a warning and made-up pixels.
TEST(JpegPicture, DamagedScanDataFailWhenDecoded) {
  const Bytes whole = AboutPictureBytes();
  const std::size_t scan = ScanDataOffset(whole);
  const std::size_t end = MarkerOffset(whole, 0xD9);
  struct Damage {
    const char* what;
    std::size_t at;
    Bytes bytes;
  };
  const Damage damages[] = {
      {"an end marker amid the scan", (scan + end) / 2, {0xFF, 0xD9}},
      {"a restart marker where none is expected", scan + 20, {0xFF, 0xD0}},
      {"ones where codes belong", scan + 10, Bytes(24, 0xFF)},
  };
  for (const Damage& damage : damages) {
    SCOPED_TRACE(damage.what);
    Bytes damaged = whole;
    std::copy(damage.bytes.begin(), damage.bytes.end(), damaged.begin() + damage.at);
    JpegPicture picture = JpegPicture::ReadHeader(damaged);
    ExpectReadError([&] { picture.Decode(); }, damage.what);
    EXPECT_FALSE(picture.IsDecoded());
  }
}

TEST(JpegPicture, WhatIsNoJpegPictureRaisesWhenItsHeaderIsRead) {
  const Bytes whole = AboutPictureBytes();
  Bytes lossless = whole;
  lossless[MarkerOffset(whole, 0xC0) + 1] = 0xC3;  // the frame claims lossless coding
  Bytes noComponents = whole;
  noComponents[MarkerOffset(whole, 0xC0) + 9] = 0;  // a frame without colour components
  struct Case {
    const char* what;
    Bytes bytes;
  };
  const Case cases[] = {
      {"nothing", {}},
      {"a GIF file", {'G', 'I', 'F', '8', '9', 'a', 32, 0, 32, 0, 0xF7, 0, 0}},
      {"random bytes", RandomBytes(1000, 7)},
      {"the start marker alone", {0xFF, 0xD8}},
      {"the header cut inside its tables", FirstBytes(whole, 100)},
      {"the header cut before the scan", FirstBytes(whole, MarkerOffset(whole, 0xDA))},
      {"a lossless frame", lossless},
      {"a frame without components", noComponents},
  };
  for (const Case& c : cases) {
    ExpectReadError([&] { JpegPicture::ReadHeader(c.bytes); }, c.what);
  }
}

TEST(JpegPicture, ReadErrorsCarryLibjpegsReason) {
  try {
    JpegPicture::ReadHeader({'G', 'I', 'F', '8', '9', 'a'});
    FAIL() << "no error report";
  } catch (const Exception& error) {
    EXPECT_EQ(error.Message(), kErrorStart + "Not a JPEG file: starts with 0x47 0x49");
  }
}

TEST(JpegPicture, CmykPicturesAreRefusedWhenTheirHeaderIsRead) {
  try {
    JpegPicture::ReadHeader(ReadBytes(kSamplesFolder + "cmyk.jpg"));
    FAIL() << "no error report";
  } catch (const Exception& error) {
    EXPECT_EQ(error.Message(),
              "The JPEG picture cannot be shown: its colour space is not RGB or grey");
  }
}

TEST(JpegPicture, DecodingAtOnceKeepsToThePixelLimit) {
  const Bytes about = AboutPictureBytes();  // 32 x 32 pixels
  EXPECT_EQ(DecodeJpeg(about, 1024).pixels.size(), 1024u * 4);
  try {
    DecodeJpeg(about, 1023);
    FAIL() << "no error report";
  } catch (const Exception& error) {
    EXPECT_EQ(error.Message(), "The JPEG picture cannot be shown: it is 32 x 32 pixels, too large");
  }
}

// grey.jpg is the drawing turned grey by ImageMagick (Rec. 709 luma).
TEST(JpegPicture, GreyPicturesDecodeToEqualChannels) {
  const Drawing drawing = ReadDrawing();
  JpegPicture picture = JpegPicture::ReadHeader(ReadBytes(kSamplesFolder + "grey.jpg"));
  EXPECT_EQ(picture.ColorSpace(), JpegColorSpace::Grayscale);
  const BgraImage& image = picture.Decode();
  ASSERT_EQ(image.pixels.size(), 32u * 32u * 4u);
  long total = 0;
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const Rgb pixel = PixelAt(image, x, y);
      ASSERT_EQ(pixel.red, pixel.green) << x << "," << y;
      ASSERT_EQ(pixel.red, pixel.blue) << x << "," << y;
      const Rgb& drawn = drawing.At(x, y);
      const double luma = 0.2126 * drawn.red + 0.7152 * drawn.green + 0.0722 * drawn.blue;
      total += std::abs(pixel.red - static_cast<int>(luma + 0.5));
    }
  }
  EXPECT_LE(total / (32 * 32), 6) << "mean difference from the drawing's luma";
}

}  // namespace
}  // namespace swivex::testing
