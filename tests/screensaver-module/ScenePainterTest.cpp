#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "screensaver-module/ScenePainter.h"
#include "tests/screensaver-module/ScreenCapture.h"
#include "tests/screensaver-module/TestSystem.h"
#include "winsupport/GdiScopes.h"
#include "winsupport/TopDownBitmap.h"
#include "winsupport/WindowsHandles.h"

namespace swivex::glowdrift::testing {
namespace {

constexpr std::uint32_t kUntouched = 0x00FF00FF;  // magenta: no colour of the scene

// Paints one frame into area of a canvas of the given size that starts out magenta, and returns
// the whole canvas.
Picture PaintFrame(const GlowField& field, int width, int height, const RECT& area,
                   const MovieCaption* caption, const std::vector<BgraImage>& pictures = {},
                   std::span<const PicturePlacement> placements = {}) {
  win::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
  const win::TopDownBitmap canvas = win::CreateTopDownBitmap(width, height);
  if (!dc || !canvas.bitmap) throw std::runtime_error("cannot create a canvas");
  auto* pixels = static_cast<std::uint32_t*>(canvas.bits);
  const std::size_t count = static_cast<std::size_t>(width) * height;
  std::fill(pixels, pixels + count, kUntouched);
  {
    win::SelectedObject selection(dc.Get(), canvas.bitmap.Get());
    ScenePainter painter(field);
    painter.ShowPictures(pictures);
    painter.Paint(dc.Get(), area, field, caption, placements);
    ::GdiFlush();
  }
  Picture picture{width, height, std::vector<std::uint32_t>(pixels, pixels + count)};
  for (std::uint32_t& pixel : picture.pixels) pixel &= 0x00FFFFFF;
  return picture;
}

Picture PaintWhole(const GlowField& field, int width, int height, const MovieCaption* caption,
                   const std::vector<BgraImage>& pictures = {},
                   std::span<const PicturePlacement> placements = {}) {
  return PaintFrame(field, width, height, {0, 0, width, height}, caption, pictures, placements);
}

// A 64 x 32 picture of green (premultiplied, as the saver keeps its pictures) whose left half
// has alpha `leftAlpha`.
BgraImage GreenPicture(std::uint8_t leftAlpha) {
  BgraImage image{64, 32, std::vector<std::uint8_t>(64 * 32 * 4, 0)};
  for (std::size_t pixel = 0; pixel < 64 * 32; ++pixel) {
    const std::uint8_t alpha = pixel % 64 < 32 ? leftAlpha : 255;
    image.pixels[pixel * 4 + 1] = alpha;
    image.pixels[pixel * 4 + 3] = alpha;
  }
  return image;
}

constexpr std::uint32_t kGreen = 0x0000FF00;

std::size_t CaptionPixels(const Picture& picture) {
  return picture.PixelsBrighterThan(190, 190, 200);
}

std::size_t UntouchedPixels(const Picture& picture) {
  return static_cast<std::size_t>(
      std::count(picture.pixels.begin(), picture.pixels.end(), kUntouched));
}

TEST(ScenePainter, ThePreviewShowsSoftGlowsThatMoveAndNoCaption) {
  GlowField field;
  const Picture first = PaintWhole(field, 152, 112, nullptr);
  for (int frame = 0; frame < 40; ++frame) field.Advance(0.05);
  const Picture later = PaintWhole(field, 152, 112, nullptr);
  SaveBitmap(later, ArtifactPath("glowdrift-preview.bmp"));

  EXPECT_EQ(UntouchedPixels(first), 0u) << "the preview should fill its window";
  EXPECT_GT(first.DistinctColours(), 100u) << "soft glows show many shades";
  EXPECT_EQ(CaptionPixels(first), 0u);
  EXPECT_GT(first.ShareOfChangedPixels(later), 0.05) << "two seconds later the glows have moved";
}

// In the preview's 152 x 112 pixels a picture gets a box of 0.42 x 112 = 47 pixels: 64 x 32
// pixels fit it as 47 x 23, centred where the drift puts it.
TEST(ScenePainter, PicturesAreFittedPlacedFadedAndKeepTheirAlpha) {
  GlowField field;
  const PicturePlacement centre[] = {{0, 0.5, 0.5, 1.0}};
  const Picture opaque = PaintWhole(field, 152, 112, nullptr, {GreenPicture(255)}, centre);
  SaveBitmap(opaque, ArtifactPath("glowdrift-preview-pictures.bmp"));
  EXPECT_EQ(opaque.PixelsNear(kGreen, 0), 47u * 23u);
  // Its corners: from (76 - 23, 56 - 11) to (76 + 23, 56 + 11).
  EXPECT_EQ(opaque.pixels[45 * 152 + 53], kGreen);
  EXPECT_EQ(opaque.pixels[67 * 152 + 99], kGreen);
  EXPECT_NE(opaque.pixels[44 * 152 + 53], kGreen);
  EXPECT_NE(opaque.pixels[45 * 152 + 52], kGreen);

  const Picture halfClear = PaintWhole(field, 152, 112, nullptr, {GreenPicture(0)}, centre);
  EXPECT_NE(halfClear.pixels[56 * 152 + 60], kGreen) << "the clear half shows the glows";
  EXPECT_EQ(halfClear.pixels[56 * 152 + 90], kGreen);

  const PicturePlacement faded[] = {{0, 0.5, 0.5, 0.5}};
  const Picture half = PaintWhole(field, 152, 112, nullptr, {GreenPicture(255)}, faded);
  const std::uint32_t middle = half.pixels[56 * 152 + 76];
  EXPECT_NEAR(static_cast<int>((middle >> 8) & 0xFF), 128, 16) << std::hex << middle;
}

TEST(ScenePainter, TheSaverWritesTheCaptionOverTheGlows) {
  GlowField field;
  const MovieCaption caption = DescribeInstalledMovie(12345, SaverShows::PicturesAsSet);
  const Picture withCaption = PaintWhole(field, 1280, 1024, &caption);
  const Picture without = PaintWhole(field, 1280, 1024, nullptr);
  EXPECT_EQ(UntouchedPixels(withCaption), 0u);
  EXPECT_GT(CaptionPixels(withCaption), 500u);
  EXPECT_EQ(CaptionPixels(without), 0u);
  EXPECT_LT(withCaption.ShareOfChangedPixels(without), 0.1) << "the caption is a line, not a page";
}

TEST(ScenePainter, PaintsEachMonitorsRectangleAndNothingBeyondIt) {
  // A second monitor to the right of the first, lower and smaller; the rest of the canvas stays
  // as it was.
  const RECT monitor = {1280, 200, 1280 + 800, 200 + 600};
  GlowField field;
  const MovieCaption caption = DescribeInstalledMovie(std::nullopt, SaverShows::Movie);
  const Picture canvas = PaintFrame(field, 2080, 1024, monitor, &caption);
  std::size_t inside = 0, untouchedInside = 0, touchedOutside = 0;
  for (int y = 0; y < canvas.height; ++y) {
    for (int x = 0; x < canvas.width; ++x) {
      const bool within =
          x >= monitor.left && x < monitor.right && y >= monitor.top && y < monitor.bottom;
      const bool untouched =
          canvas.pixels[static_cast<std::size_t>(y) * canvas.width + x] == kUntouched;
      inside += within;
      untouchedInside += within && untouched;
      touchedOutside += !within && !untouched;
    }
  }
  EXPECT_EQ(inside, 800u * 600u);
  EXPECT_EQ(untouchedInside, 0u);
  EXPECT_EQ(touchedOutside, 0u);
  EXPECT_GT(CaptionPixels(canvas), 200u);
}

}  // namespace
}  // namespace swivex::glowdrift::testing
