#include "screensaver-module/ScenePainter.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "screensaver-module/PictureFit.h"

namespace swivex::glowdrift {

namespace {

// The caption's two lines: font size as a fraction of the monitor's height, colour, weight, and
// where the baseline sits below the caption's centre, in headline heights.
struct CaptionLineStyle {
  int heightDivisor;
  Color color;
  int weight;
  double baselineOffset;
};
constexpr CaptionLineStyle kHeadlineStyle = {24, {226, 231, 242}, FW_NORMAL, 0.0};
constexpr CaptionLineStyle kNoteStyle = {52, {150, 162, 188}, FW_NORMAL, 0.9};
constexpr char kCaptionFace[] = "Tahoma";

// The background and the glows have no sharp edge: drawn at half the size and doubled pixel by
// pixel they look the same, for a third of the work (a smoothing stretch costs more than it
// saves).
constexpr int kGlowLayerScale = 2;

// A picture fills at most this share of the area's shorter side, and is enlarged no more than
// this: a thumbnail blown up to fill a screen shows only its pixels.
constexpr double kPictureBoxShare = 0.42;
constexpr double kMostPictureEnlargement = 2.0;

constexpr Color kSkyTop = {12, 16, 38};
constexpr Color kSkyBottom = {3, 4, 12};

COLOR16 Channel16(std::uint8_t channel) { return static_cast<COLOR16>(channel << 8); }

TRIVERTEX Vertex(LONG x, LONG y, Color color) {
  return {x, y, Channel16(color.red), Channel16(color.green), Channel16(color.blue), 0};
}

void PaintBackground(HDC target, const RECT& area) {
  TRIVERTEX corners[] = {Vertex(area.left, area.top, kSkyTop),
                         Vertex(area.right, area.bottom, kSkyBottom)};
  GRADIENT_RECT rectangle = {0, 1};
  // GDI32's own gradient rather than msimg32.dll's GradientFill, as for the blends.
  ::GdiGradientFill(target, corners, 2, &rectangle, 1, GRADIENT_FILL_RECT_V);
}

win::UniqueFont CreateCaptionFont(int areaHeight, const CaptionLineStyle& style) {
  const int height = std::max(8, areaHeight / style.heightDivisor);
  win::UniqueFont font(::CreateFontA(-height, 0, 0, 0, style.weight, FALSE, FALSE, FALSE,
                                     DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                     ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, kCaptionFace));
  if (!font) throw std::runtime_error("Cannot create the caption font.");
  return font;
}

void PaintLine(HDC target, int x, int y, HFONT font, const CaptionLineStyle& style,
               const std::string& text) {
  win::SelectedObject selection(target, font);
  ::SetTextColor(target, RGB(style.color.red, style.color.green, style.color.blue));
  ::TextOutA(target, x, y, text.c_str(), static_cast<int>(text.size()));
}

int Width(const RECT& area) { return area.right - area.left; }
int Height(const RECT& area) { return area.bottom - area.top; }

}  // namespace

ScenePainter::ScenePainter(const GlowField& field) {
  sprites_.reserve(field.Glows().size());
  for (const Glow& glow : field.Glows()) sprites_.emplace_back(glow.color);
}

void ScenePainter::ShowPictures(const std::vector<BgraImage>& pictures) {
  std::vector<PictureSprite> sprites;
  sprites.reserve(pictures.size());
  for (const BgraImage& picture : pictures) sprites.emplace_back(picture);
  pictures_ = std::move(sprites);
}

void ScenePainter::Paint(HDC target, const RECT& area, const GlowField& field,
                         const MovieCaption* caption,
                         std::span<const PicturePlacement> placements) {
  // Glows near an edge reach beyond it; they must not spill onto the next monitor.
  win::ClipToRect clip(target, area);
  const RECT layer = {0, 0, (Width(area) + kGlowLayerScale - 1) / kGlowLayerScale,
                      (Height(area) + kGlowLayerScale - 1) / kGlowLayerScale};
  HDC layerDc = glowLayer_.Prepare(target, layer.right, layer.bottom);
  PaintBackground(layerDc, layer);
  PaintGlows(layerDc, layer, field);
  ::SetStretchBltMode(target, COLORONCOLOR);
  ::SetBrushOrgEx(target, 0, 0, nullptr);
  ::StretchBlt(target, area.left, area.top, Width(area), Height(area), layerDc, 0, 0, layer.right,
               layer.bottom, SRCCOPY);
  PaintPictures(target, area, placements);
  if (caption) PaintCaption(target, area, field.CaptionCenter(), *caption);
}

void ScenePainter::PaintGlows(HDC target, const RECT& area, const GlowField& field) const {
  const int shorterSide = std::min(Width(area), Height(area));
  const auto& glows = field.Glows();
  for (std::size_t index = 0; index < glows.size() && index < sprites_.size(); ++index) {
    const Glow& glow = glows[index];
    sprites_[index].Draw(target, area.left + static_cast<int>(glow.x * Width(area)),
                         area.top + static_cast<int>(glow.y * Height(area)),
                         std::max(1, static_cast<int>(glow.radius * shorterSide)),
                         field.Strength(glow));
  }
}

void ScenePainter::PaintPictures(HDC target, const RECT& area,
                                 std::span<const PicturePlacement> placements) const {
  const auto box = static_cast<std::uint32_t>(
      std::max(1.0, kPictureBoxShare * std::min(Width(area), Height(area))));
  for (const PicturePlacement& placement : placements) {
    if (placement.picture >= pictures_.size()) continue;
    const PictureSprite& sprite = pictures_[placement.picture];
    const swf::PixelSize size = FitWithin(sprite.Size(), {box, box}, kMostPictureEnlargement);
    const int width = static_cast<int>(size.width);
    const int height = static_cast<int>(size.height);
    const int left = area.left + static_cast<int>(placement.x * Width(area)) - width / 2;
    const int top = area.top + static_cast<int>(placement.y * Height(area)) - height / 2;
    sprite.Draw(target, {left, top, left + width, top + height}, placement.opacity);
  }
}

void ScenePainter::PaintCaption(HDC target, const RECT& area, FieldPoint center,
                                const MovieCaption& caption) {
  const CaptionFonts& fonts = FontsFor(Height(area));
  const int x = area.left + static_cast<int>(center.x * Width(area));
  const int y = area.top + static_cast<int>(center.y * Height(area));
  const int headlineHeight = Height(area) / kHeadlineStyle.heightDivisor;
  ::SetBkMode(target, TRANSPARENT);
  ::SetTextAlign(target, TA_CENTER | TA_BASELINE);
  PaintLine(target, x, y + static_cast<int>(kHeadlineStyle.baselineOffset * headlineHeight),
            fonts.headline.Get(), kHeadlineStyle, caption.headline);
  PaintLine(target, x, y + static_cast<int>(kNoteStyle.baselineOffset * headlineHeight),
            fonts.note.Get(), kNoteStyle, caption.note);
}

const ScenePainter::CaptionFonts& ScenePainter::FontsFor(int areaHeight) {
  auto found = fontsByHeight_.find(areaHeight);
  if (found == fontsByHeight_.end()) {
    CaptionFonts fonts{CreateCaptionFont(areaHeight, kHeadlineStyle),
                       CreateCaptionFont(areaHeight, kNoteStyle)};
    found = fontsByHeight_.emplace(areaHeight, std::move(fonts)).first;
  }
  return found->second;
}

}  // namespace swivex::glowdrift
