// The main window's layout at the screen resolution of the prefix: every control where the
// layout table puts it, scaled by the window font's text height as the program's rule says. The
// expected rectangles are computed here from the table and the font as this process measures it.
// Each run keeps a screenshot of the window.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>

#include "tests/e2e/E2eFiles.h"
#include "tests/e2e/E2ePaths.h"
#include "tests/e2e/SwivexApp.h"
#include "tests/e2e/driver/Controls.h"
#include "tests/e2e/driver/Keyboard.h"
#include "tests/e2e/driver/Screenshot.h"
#include "tests/e2e/driver/WindowList.h"
#include "tests/support/TempFolder.h"
#include "winsupport/GdiScopes.h"
#include "winsupport/WindowsHandles.h"

namespace swivex::e2e {
namespace {

constexpr int kDesignPixelsPerInch = 96;
constexpr int kDesignTextHeight = 13;
constexpr int kDesignFontHeight = -11;  // "MS Sans Serif", 8 points
constexpr COLORREF kBackground = RGB(200, 228, 169);

// The window's layout at 96 pixels per inch; controls in the group box are placed relative to
// its outer edge, labels are sized to their text.
struct ControlPlace {
  const char* name;
  int id;
  const char* caption;
  int left, top, width, height;
  bool inGroup;
};

constexpr ControlPlace kLayout[] = {
    {"Button1", swivexui::kButton1, "Convert Swf To Exe", 18, 20, 128, 25, false},
    {"Button2", swivexui::kButton2, "Convert Exe To Swf", 160, 20, 129, 25, false},
    {"Button3", swivexui::kButton3, "Set Flash as ScreenSaver", 302, 20, 153, 25, false},
    {"GroupBox1", swivexui::kGroupBox1, "Convert Result:", 18, 59, 438, 79, false},
    {"Label1", swivexui::kLabel1, "Source file:", 10, 22, 0, 0, true},
    {"Label2", swivexui::kLabel2, "Taget file:", 16, 50, 0, 0, true},
    {"Edit1", swivexui::kEdit1, "", 68, 19, 325, 19, true},
    {"Edit2", swivexui::kEdit2, "", 68, 47, 325, 19, true},
    {"Button4", swivexui::kButton4, "Go", 399, 44, 29, 25, true},
};
constexpr ControlPlace kGroup = kLayout[3];
constexpr SIZE kClientArea{471, 157};

// The window font as the program makes it on this screen, and the sizes of text in it.
class WindowFont {
 public:
  explicit WindowFont(int pixelsPerInch)
      : dc_(::CreateCompatibleDC(nullptr)),
        font_(::CreateFontA(::MulDiv(kDesignFontHeight, pixelsPerInch, kDesignPixelsPerInch), 0, 0,
                            0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "MS Sans Serif")),
        selection_(dc_.Get(), font_.Get()) {}

  SIZE Extent(const std::string& text) const {
    SIZE size{};
    ::GetTextExtentPoint32A(dc_.Get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size;
  }
  std::string Face() const {
    char face[LF_FACESIZE] = {};
    ::GetTextFaceA(dc_.Get(), sizeof face, face);
    return face;
  }
  // The height of text in the font, by which a layout drawn for 13 pixels is scaled.
  int TextHeight() const { return Extent("0").cy; }

 private:
  win::UniqueMemoryDc dc_;
  win::UniqueFont font_;
  win::SelectedObject selection_;
};

int ScreenPixelsPerInch() {
  const win::WindowDc screen;
  return ::GetDeviceCaps(screen.Get(), LOGPIXELSY);
}

// The resolution that the test run set up for this prefix.
int ExpectedPixelsPerInch() {
  const char* setting = std::getenv("SWIVEX_E2E_DPI");
  return setting ? std::atoi(setting) : kDesignPixelsPerInch;
}

struct Scale {
  int textHeight;
  int operator()(int value) const { return ::MulDiv(value, textHeight, kDesignTextHeight); }
};

// Left and top scaled; width and height as the scaled far edge minus the scaled near edge.
RECT ExpectedRect(const ControlPlace& control, const Scale& scale, const WindowFont& font) {
  const int originX = control.inGroup ? scale(kGroup.left) : 0;
  const int originY = control.inGroup ? scale(kGroup.top) : 0;
  RECT rect{originX + scale(control.left), originY + scale(control.top), 0, 0};
  if (control.width == 0) {  // sized to its text
    const SIZE text = font.Extent(control.caption);
    rect.right = rect.left + text.cx;
    rect.bottom = rect.top + text.cy;
  } else {
    rect.right = originX + scale(control.left + control.width);
    rect.bottom = originY + scale(control.top + control.height);
  }
  return rect;
}

std::string Describe(const RECT& rect) {
  std::ostringstream text;
  text << "(" << rect.left << ", " << rect.top << ") " << rect.right - rect.left << " x "
       << rect.bottom - rect.top;
  return text.str();
}

std::string ArtifactName(const std::string& what, int pixelsPerInch) {
  std::ostringstream name;
  name << kArtifactsFolder << what << "-" << pixelsPerInch << "dpi.bmp";
  return name.str();
}

TEST(MainWindowLayout, ControlsSitWhereTheScaledTableSays) {
  const int pixelsPerInch = ScreenPixelsPerInch();
  ASSERT_EQ(pixelsPerInch, ExpectedPixelsPerInch()) << "the prefix's LogPixels did not apply";
  const WindowFont font(pixelsPerInch);
  ASSERT_EQ(font.Face(), "MS Sans Serif") << "the prefix lacks Wine's own fonts";
  const Scale scale{font.TextHeight()};
  std::cout << pixelsPerInch << " pixels per inch: text height " << scale.textHeight
            << ", layout scaled by " << scale.textHeight << "/13\n";

  SwivexApp app;
  const HWND window = app.Window();
  // Activated at once: under Wine a window can be the foreground window with its caption still
  // drawn inactive, and the screenshots should show it as a user sees it.
  BringToFront(window);
  EXPECT_EQ(TextOf(window), swivexui::kTitle);
  const SIZE client = ClientSize(window);
  EXPECT_EQ(client.cx, scale(kClientArea.cx));
  EXPECT_EQ(client.cy, scale(kClientArea.cy));

  for (const auto& control : kLayout) {
    SCOPED_TRACE(control.name);
    const HWND handle = app.Control(control.id);
    EXPECT_EQ(::GetParent(handle), window);
    EXPECT_EQ(TextOf(handle), control.caption);
    const RECT actual = RectInClient(handle, window);
    const RECT expected = ExpectedRect(control, scale, font);
    EXPECT_TRUE(::EqualRect(&actual, &expected))
        << "at " << Describe(actual) << ", expected " << Describe(expected);
  }

  // Display-only fields, and "Go" waits for a conversion.
  EXPECT_FALSE(IsEnabled(app.Control(swivexui::kEdit1)));
  EXPECT_FALSE(IsEnabled(app.Control(swivexui::kEdit2)));
  EXPECT_FALSE(app.GoEnabled());

  // Centred on the desktop.
  const RECT frame = WindowRect(window);
  const int desktopLeft = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int desktopTop = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
  const int desktopWidth = ::GetSystemMetrics(SM_CXVIRTUALSCREEN);
  const int desktopHeight = ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
  EXPECT_NEAR(frame.left, desktopLeft + (desktopWidth - (frame.right - frame.left)) / 2, 1);
  EXPECT_NEAR(frame.top, desktopTop + (desktopHeight - (frame.bottom - frame.top)) / 2, 1);

  // The background between the controls: the window's own colour.
  POINT corner{2, 2};
  ::ClientToScreen(window, &corner);
  WaitUntil(
      [&] {
        return CaptureScreen({corner.x, corner.y, corner.x + 1, corner.y + 1}).At(0, 0) ==
               kBackground;
      },
      "the window's background colour");

  SaveScreenshot(frame, ArtifactName("main-window", pixelsPerInch));

  // For the eye: the message dialog, the fields with paths in them and the error box.
  swivex::testing::TempFolder work;
  swivex::testing::WriteBytes(work / "movie.swf", MovieBytes(100, 1));
  app.Pick(kSwfToExeButton, work / "movie.swf");
  auto message = app.WaitForTitledDialog();
  SaveScreenshot(WindowRect(message.Window()), ArtifactName("message-dialog", pixelsPerInch));
  message.Press(IDOK);
  WaitUntil([&] { return IsEnabled(window); }, "the main window to be enabled again");
  SaveScreenshot(frame, ArtifactName("main-window-converted", pixelsPerInch));

  app.Pick(kExeToSwfButton, work / "missing.exe");
  auto box = app.WaitForTitledDialog();
  SaveScreenshot(WindowRect(box.Window()), ArtifactName("error-box", pixelsPerInch));
  box.Press(IDOK);
}

}  // namespace
}  // namespace swivex::e2e
