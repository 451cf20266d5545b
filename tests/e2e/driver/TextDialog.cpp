#include "tests/e2e/driver/TextDialog.h"

#include "tests/e2e/driver/Controls.h"
#include "tests/e2e/driver/Screenshot.h"
#include "tests/e2e/driver/WindowList.h"

namespace swivex::e2e {

namespace {

constexpr int kMessageBoxIcon = 0x440;
constexpr Timeout kIconPaintTimeout{2000};

// The share of an image's pixels that are clearly red.
double RedShare(const ScreenImage& image) {
  int red = 0;
  for (LONG y = 0; y < image.height; ++y)
    for (LONG x = 0; x < image.width; ++x) {
      const COLORREF colour = image.At(x, y);
      if (GetRValue(colour) > 160 && GetGValue(colour) < 100 && GetBValue(colour) < 100) ++red;
    }
  return static_cast<double>(red) / (image.width * image.height);
}

bool IsIconStatic(HWND control) {
  return (::GetWindowLongA(control, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
}

bool IsPushButton(HWND control) {
  const auto type = ::GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK;
  return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

}  // namespace

TextDialog TextDialog::WaitFor(DWORD processId, const std::string& caption, Timeout timeout) {
  return TextDialog(WaitForTopLevelWindow(
      {.className = "#32770", .caption = caption, .processId = processId}, timeout));
}

TextDialog TextDialog::WaitForProgram(const std::string& imageEndsWith, Timeout timeout) {
  return TextDialog(
      WaitForTopLevelWindow({.className = "#32770", .imageEndsWith = imageEndsWith}, timeout));
}

std::string TextDialog::Caption() const { return TextOf(window_); }

std::string TextDialog::Text() const {
  std::string text;
  for (HWND control : DescendantWindows(window_)) {
    if (ClassNameOf(control) != "Static" || IsIconStatic(control)) continue;
    const std::string part = TextOf(control);
    if (part.empty()) continue;
    if (!text.empty()) text += "\n";
    text += part;
  }
  return text;
}

std::vector<std::string> TextDialog::ButtonCaptions() const {
  std::vector<std::string> captions;
  for (HWND control : DescendantWindows(window_))
    if (ClassNameOf(control) == "Button" && ::IsWindowVisible(control) && IsPushButton(control))
      captions.push_back(TextOf(control));
  return captions;
}

bool TextDialog::ShowsStopIcon() const {
  HWND icon = ::GetDlgItem(window_, kMessageBoxIcon);
  if (!icon || !::IsWindowVisible(icon)) return false;
  try {
    // The dialog may not have painted yet.
    WaitUntil([&] { return RedShare(CaptureScreen(WindowRect(icon))) > 0.25; }, "a red icon",
              kIconPaintTimeout);
    return true;
  } catch (const DriverError&) {
    return false;
  }
}

void TextDialog::Press(int buttonId) {
  const std::string what = "the dialog \"" + Caption() + "\"";
  Click(ControlById(window_, buttonId));
  WaitUntilClosed(window_, what);
}

}  // namespace swivex::e2e
