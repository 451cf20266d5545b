// The About box: opened from Help > About, modal over the main window, with the version read
// from Swivex.exe and the memory figures of its first opening; links that underline under the
// mouse; its layout at the prefix's screen resolution, with a screenshot kept.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>

#include "tests/e2e/E2ePaths.h"
#include "tests/e2e/SwivexApp.h"
#include "tests/e2e/driver/Controls.h"
#include "tests/e2e/driver/Keyboard.h"
#include "tests/e2e/driver/Screenshot.h"
#include "tests/e2e/driver/WindowList.h"
#include "tests/support/TempFolder.h"
#include "ui/AboutMemoryFigures.h"
#include "winsupport/GdiScopes.h"
#include "winsupport/WindowsHandles.h"

namespace swivex::e2e {
namespace {

// What a driver knows of the About box.
namespace aboutui {

inline constexpr char kClassName[] = "TAboutForm";
inline constexpr char kCaption[] = "AboutForm";
inline constexpr int kAbout1 = 206;  // the main window's Help > About... command

inline constexpr int kImage1 = 301;
inline constexpr int kProductName = 302;
inline constexpr int kLabelVersion = 303;
inline constexpr int kCopyright = 304;
inline constexpr int kHttpTo = 305;
inline constexpr int kMailTo = 306;
inline constexpr int kBevel1 = 307;
inline constexpr int kLabel3 = 308;
inline constexpr int kPhysMem = 309;
inline constexpr int kLabel4 = 310;
inline constexpr int kFreeRes = 311;

}  // namespace aboutui

constexpr COLORREF kBackground = RGB(200, 228, 169);
constexpr COLORREF kLinkBlue = RGB(0, 0, 255);

bool IsVisible(HWND window) { return ::IsWindowVisible(window) != FALSE; }

// Help > About... and the About box that it shows.
HWND OpenAbout(SwivexApp& app) {
  PostCommand(app.Window(), aboutui::kAbout1);
  const HWND about = app.Process().WaitForWindow(aboutui::kClassName);
  WaitUntilHandled(about);
  return about;
}

void WaitUntilAboutClosed(SwivexApp& app, HWND about) {
  WaitUntil([&] { return !IsVisible(about) && IsEnabled(app.Window()); },
            "the About box to close and the main window to take input again");
}

std::string TextOfControl(HWND about, int id) { return TextOf(ControlById(about, id)); }

struct Figures {
  std::string physMem;
  std::string freeRes;
  bool operator==(const Figures&) const = default;
};

Figures FiguresOf(HWND about) {
  return {TextOfControl(about, aboutui::kPhysMem), TextOfControl(about, aboutui::kFreeRes)};
}

// "#,### KB" of the machine's total memory, with the user's separator; "%d %%" of its load.
void ExpectFigureFormats(const Figures& figures) {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  ASSERT_TRUE(::GlobalMemoryStatusEx(&status));
  EXPECT_EQ(figures.physMem, FormatKilobytes(status.ullTotalPhys, UserThousandsSeparator()));
  EXPECT_TRUE(std::regex_match(figures.physMem, std::regex(R"([1-9]\d{0,2}(,\d{3})* KB)")))
      << figures.physMem;
  std::smatch load;
  ASSERT_TRUE(std::regex_match(figures.freeRes, load, std::regex(R"((\d{1,3}) %)")))
      << figures.freeRes;
  EXPECT_LE(std::stoi(load[1]), 100);
}

TEST(AboutBox, OpensModallyOverTheMainWindowWithVersionAndMemoryFigures) {
  SwivexApp app;
  const HWND about = OpenAbout(app);

  EXPECT_EQ(TextOf(about), aboutui::kCaption);
  EXPECT_EQ(::GetWindow(about, GW_OWNER), app.Window());
  EXPECT_FALSE(IsEnabled(app.Window())) << "the main window takes no input while it is open";
  EXPECT_EQ(::GetForegroundWindow(), about);

  // A dialog border: fixed size, a close button, no minimise or maximise button.
  const LONG_PTR style = ::GetWindowLongPtrA(about, GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
  EXPECT_TRUE(::GetWindowLongPtrA(about, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
  EXPECT_EQ(::FindWindowExA(about, nullptr, "Button", nullptr), nullptr) << "it has no buttons";

  // Centred on the primary monitor.
  const RECT frame = WindowRect(about);
  EXPECT_LE(std::abs(frame.left + frame.right - ::GetSystemMetrics(SM_CXSCREEN)), 1);
  EXPECT_LE(std::abs(frame.top + frame.bottom - ::GetSystemMetrics(SM_CYSCREEN)), 1);

  struct Label {
    int id;
    const char* text;
  };
  const Label labels[] = {
      {aboutui::kProductName, "Swivex"},
      {aboutui::kLabelVersion, "Version 1.0.1.7"},
      {aboutui::kCopyright, "Copyright \xA9 2026 Swivex developers"},
      {aboutui::kHttpTo, "www.swivex.example"},
      {aboutui::kMailTo, "support@swivex.example"},
      {aboutui::kLabel3, "Physical Memory Available to Windows:"},
      {aboutui::kLabel4, "Memory in Use:"},
  };
  for (const Label& label : labels) {
    EXPECT_EQ(TextOfControl(about, label.id), label.text) << "control " << label.id;
  }
  ExpectFigureFormats(FiguresOf(about));

  PostClose(about);
  WaitUntilAboutClosed(app, about);
  EXPECT_TRUE(::IsWindow(about)) << "closing hides the box and keeps it";
  EXPECT_EQ(::GetForegroundWindow(), app.Window());
}

// Each opening shows the box that the first one created, with the figures of that moment; the
// version is read again. Enter and Esc do nothing; the title bar's close button, the system menu
// and Alt+F4 close it.
TEST(AboutBox, LaterOpeningsShowTheSameBoxAndFiguresAndEveryWayClosesIt) {
  struct Closing {
    const char* way;
    void (*close)(HWND about);
  };
  const Closing closings[] = {
      {"the close button", [](HWND about) { PostClose(about); }},
      {"the system menu", [](HWND about) { ::PostMessageA(about, WM_SYSCOMMAND, SC_CLOSE, 0); }},
      {"Alt+F4",
       [](HWND about) {
         BringToFront(about);
         PressChord({VK_MENU, VK_F4});
       }},
  };
  SwivexApp app;
  const HWND first = OpenAbout(app);
  const Figures figures = FiguresOf(first);
  for (const Closing& closing : closings) {
    SCOPED_TRACE(closing.way);
    const HWND about = IsVisible(first) ? first : OpenAbout(app);
    EXPECT_EQ(about, first);
    EXPECT_EQ(FiguresOf(about), figures);
    EXPECT_EQ(TextOfControl(about, aboutui::kLabelVersion), "Version 1.0.1.7");
    EXPECT_FALSE(IsEnabled(app.Window()));

    BringToFront(about);
    PressChord({VK_RETURN});
    PressChord({VK_ESCAPE});
    WaitUntilInputTaken(about);
    EXPECT_TRUE(IsVisible(about)) << "Enter and Esc leave it open";

    closing.close(about);
    WaitUntilAboutClosed(app, about);
  }
}

// The rows of the control's area in which at least four in five pixels are the link's blue:
// the underline is such a row, letters never are. (The label's font cannot be asked for
// instead: Wine answers WM_GETFONT from another process with no font.)
int BlueRows(HWND control) {
  const RECT area = WindowRect(control);
  const ScreenImage image = CaptureScreen(area);
  int rows = 0;
  for (LONG y = 0; y < image.height; ++y) {
    LONG blue = 0;
    for (LONG x = 0; x < image.width; ++x) blue += image.At(x, y) == kLinkBlue;
    rows += blue * 5 >= image.width * 4;
  }
  return rows;
}

POINT CentreOf(HWND window) {
  const RECT rect = WindowRect(window);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// Moves the mouse to `point` and a pixel to either side in turn while it waits, as a hand
// would: one warp of the pointer may go unreported.
void HoverUntil(POINT point, const std::function<bool()>& ready, const std::string& what) {
  int step = 0;
  WaitUntil(
      [&] {
        ::SetCursorPos(point.x + (step++ % 3) - 1, point.y);
        ::Sleep(50);  // each position stays long enough for the program to see it
        return ready();
      },
      what);
}

HCURSOR CurrentCursor() {
  CURSORINFO cursor{};
  cursor.cbSize = sizeof cursor;
  ::GetCursorInfo(&cursor);
  return cursor.hCursor;
}

TEST(AboutBox, HoveringALinkUnderlinesItAndLeavingRemovesIt) {
  SwivexApp app;
  const HWND about = OpenAbout(app);
  const HWND bevel = ControlById(about, aboutui::kBevel1);
  // A spot of the box away from every label, just below the bevel line.
  const POINT away{CentreOf(bevel).x, WindowRect(bevel).bottom + 3};
  struct Leaving {
    const char* way;
    POINT to;
  };
  const Leaving leavings[] = {{"for the box", away}, {"out of the box", {20, 20}}};
  for (int id : {aboutui::kHttpTo, aboutui::kMailTo}) {
    for (const Leaving& leaving : leavings) {
      SCOPED_TRACE(TextOfControl(about, id) + ", leaving " + leaving.way);
      const HWND link = ControlById(about, id);
      HoverUntil(
          away, [&] { return BlueRows(link) == 0; }, "the pointer to rest on the box");
      const HCURSOR boxCursor = CurrentCursor();

      HoverUntil(
          CentreOf(link), [&] { return BlueRows(link) > 0; }, "the link to be drawn underlined");
      // Cursor handles are private to their process under Wine: the hand is known only as a
      // cursor other than the box's own arrow.
      EXPECT_NE(CurrentCursor(), boxCursor) << "a cursor of its own over the link";

      HoverUntil(
          leaving.to, [&] { return BlueRows(link) == 0; },
          "the link to be drawn without underline");
    }
  }
  PostClose(about);
  WaitUntilAboutClosed(app, about);
}

void SetDefaultValue(HKEY root, const std::string& path, const std::string& value) {
  HKEY opened = nullptr;
  ASSERT_EQ(::RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened,
                              nullptr),
            ERROR_SUCCESS)
      << path;
  const win::UniqueKey key(opened);
  ASSERT_EQ(
      ::RegSetValueExA(key.Get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1)),
      ERROR_SUCCESS)
      << path;
}

std::string BesideThisProgram(const std::string& name) {
  char self[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, self, MAX_PATH);
  const std::string path = self;
  return path.substr(0, path.find_last_of('\\') + 1) + name;
}

std::string ReadText(const std::string& name) {
  std::ifstream file(name);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Presses and releases the left mouse button at `point`. The position goes with the press:
// the pointer's current position may still change under a late report of an earlier move.
void ClickAt(POINT point) {
  // Absolute positions count 65536 steps across the screen; rounded up, they map back to the
  // pixel itself.
  const auto steps = [](LONG pixel, int pixels) {
    return static_cast<LONG>((static_cast<LONGLONG>(pixel) * 65536 + pixels - 1) / pixels);
  };
  INPUT inputs[2] = {};
  inputs[0].type = inputs[1].type = INPUT_MOUSE;
  for (INPUT& input : inputs) {
    input.mi.dx = steps(point.x, ::GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = steps(point.y, ::GetSystemMetrics(SM_CYSCREEN));
  }
  inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTDOWN;
  inputs[1].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTUP;
  ::SendInput(2, inputs, sizeof(INPUT));
}

// Clicks the link (the mouse on it, as a user's click would be), runs `expectStarted`, and
// checks that the underline goes when the mouse leaves. Unless a window of the started program
// came up under the mouse, the link is still underlined before that.
void ClickLink(HWND about, int id, bool nothingCoversIt,
               const std::function<void()>& expectStarted) {
  const HWND label = ControlById(about, id);
  const HWND bevel = ControlById(about, aboutui::kBevel1);
  HoverUntil(
      CentreOf(label), [&] { return BlueRows(label) > 0; }, "the link to be drawn underlined");
  ClickAt(CentreOf(label));
  expectStarted();
  if (nothingCoversIt) {
    EXPECT_GT(BlueRows(label), 0) << "still underlined while the mouse is on it";
  }
  HoverUntil(
      {CentreOf(bevel).x, WindowRect(bevel).bottom + 3}, [&] { return BlueRows(label) == 0; },
      "the link to be drawn without underline");
}

// HttpTo starts "IEXPLORE" with "http://" and the host: Wine's own browser, whose address field
// shows what it was given.
TEST(AboutBoxLinks, HttpToStartsTheBrowserWithTheWebAddress) {
  SwivexApp app;
  const HWND about = OpenAbout(app);
  ClickLink(about, aboutui::kHttpTo, false, [] {
    const HWND browser =
        WaitForTopLevelWindow({.className = "IEFrame", .imageEndsWith = "iexplore.exe"});
    WaitUntil(
        [&] {
          for (HWND control : DescendantWindows(browser)) {
            if (ClassNameOf(control) == "Edit" && TextOf(control) == "http://www.swivex.example/")
              return true;
          }
          return false;
        },
        "the browser to show http://www.swivex.example/");
    PostClose(browser);
    WaitUntilClosed(browser, "the browser to close");
  });
  PostClose(about);
  WaitUntilAboutClosed(app, about);
}

// MailTo opens "mailto:" and the address with the handler of "mailto:", here a recorder that
// notes its command line (registered in this test's own prefix).
TEST(AboutBoxLinks, MailToOpensTheMailAddressWithItsHandler) {
  swivex::testing::TempFolder work;
  const std::string log = work / "mailto.txt";
  ASSERT_TRUE(::SetEnvironmentVariableA("SWIVEX_LINK_LOG", log.c_str()));
  const std::string recorder = BesideThisProgram("about_link_recorder.exe");
  SetDefaultValue(HKEY_CLASSES_ROOT, "mailto\\shell\\open\\command", "\"" + recorder + "\" \"%1\"");

  SwivexApp app;
  const HWND about = OpenAbout(app);
  ClickLink(about, aboutui::kMailTo, true, [&] {
    WaitUntil([&] { return !ReadText(log).empty(); }, "the mail handler to start");
    EXPECT_EQ(ReadText(log), "\"" + recorder + "\" \"mailto:support@swivex.example\"\n");
  });
  PostClose(about);
  WaitUntilAboutClosed(app, about);
}

// The layout, as the program's rule scales it: by the height of text in the window font over 13.
constexpr int kDesignPixelsPerInch = 96;
constexpr int kDesignTextHeight = 13;
constexpr SIZE kClientArea{300, 192};

// A font as the program makes it on this screen, and the sizes of text in it.
class Font {
 public:
  Font(int height, bool bold)
      : dc_(::CreateCompatibleDC(nullptr)),
        font_(::CreateFontA(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                            DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                            DEFAULT_QUALITY, DEFAULT_PITCH, "MS Sans Serif")),
        selection_(dc_.Get(), font_.Get()) {}
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;

  SIZE Extent(const std::string& text) const {
    SIZE size{};
    ::GetTextExtentPoint32A(dc_.Get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size;
  }

 private:
  win::UniqueMemoryDc dc_;
  win::UniqueFont font_;
  win::SelectedObject selection_;
};

int ScreenPixelsPerInch() {
  const win::WindowDc screen;
  return ::GetDeviceCaps(screen.Get(), LOGPIXELSY);
}

int ExpectedPixelsPerInch() {
  const char* setting = std::getenv("SWIVEX_E2E_DPI");
  return setting ? std::atoi(setting) : kDesignPixelsPerInch;
}

// MulDiv's rounding: to the nearest, halves away from zero.
int Scaled(int value, int numerator, int denominator) {
  return ::MulDiv(value, numerator, denominator);
}

struct Place {
  const char* name;
  int id;
  int left, top, width, height;  // width 0: a label, sized to its text
  bool ownFont;                  // ProductName: "MS Sans Serif" bold 14 points
};

constexpr Place kLayout[] = {
    {"Image1", aboutui::kImage1, 19, 12, 32, 32, false},
    {"ProductName", aboutui::kProductName, 61, 9, 0, 0, true},
    {"LabelVersion", aboutui::kLabelVersion, 61, 33, 0, 0, false},
    {"Copyright", aboutui::kCopyright, 19, 51, 0, 0, false},
    {"HttpTo", aboutui::kHttpTo, 19, 102, 0, 0, false},
    {"MailTo", aboutui::kMailTo, 19, 117, 0, 0, false},
    {"Bevel1", aboutui::kBevel1, 17, 136, 264, 2, false},
    {"Label3", aboutui::kLabel3, 19, 147, 0, 0, false},
    {"PhysMem", aboutui::kPhysMem, 214, 147, 0, 0, false},
    {"Label4", aboutui::kLabel4, 19, 163, 0, 0, false},
    {"FreeRes", aboutui::kFreeRes, 215, 163, 0, 0, false},
};

std::string Describe(const RECT& rect) {
  std::ostringstream text;
  text << "(" << rect.left << ", " << rect.top << ") " << rect.right - rect.left << " x "
       << rect.bottom - rect.top;
  return text.str();
}

// A pixel of the box's client area, as the screen shows it.
COLORREF ClientPixel(HWND about, int x, int y) {
  POINT point{x, y};
  ::ClientToScreen(about, &point);
  return CaptureScreen({point.x, point.y, point.x + 1, point.y + 1}).At(0, 0);
}

int ChannelDifference(COLORREF a, COLORREF b) {
  return std::max({std::abs(GetRValue(a) - GetRValue(b)), std::abs(GetGValue(a) - GetGValue(b)),
                   std::abs(GetBValue(a) - GetBValue(b))});
}

TEST(AboutBoxLayout, ControlsSitWhereTheScaledTableSaysAndThePictureKeepsItsSize) {
  const int pixelsPerInch = ScreenPixelsPerInch();
  ASSERT_EQ(pixelsPerInch, ExpectedPixelsPerInch()) << "the prefix's LogPixels did not apply";
  const Font windowFont(Scaled(-11, pixelsPerInch, kDesignPixelsPerInch), false);
  const int textHeight = windowFont.Extent("0").cy;
  const auto scale = [&](int value) { return Scaled(value, textHeight, kDesignTextHeight); };
  const int titlePoints = scale(14);
  const Font titleFont(-Scaled(titlePoints, pixelsPerInch, 72), true);
  std::cout << pixelsPerInch << " pixels per inch: text height " << textHeight << ", title font "
            << titlePoints << " points\n";

  SwivexApp app;
  const HWND about = OpenAbout(app);
  const SIZE client = ClientSize(about);
  EXPECT_EQ(client.cx, scale(kClientArea.cx));
  EXPECT_EQ(client.cy, scale(kClientArea.cy));

  for (const Place& place : kLayout) {
    SCOPED_TRACE(place.name);
    const HWND control = ControlById(about, place.id);
    RECT expected{scale(place.left), scale(place.top), 0, 0};
    if (place.width == 0) {
      const SIZE text = (place.ownFont ? titleFont : windowFont).Extent(TextOf(control));
      expected.right = expected.left + text.cx;
      expected.bottom = expected.top + text.cy;
    } else {
      expected.right = scale(place.left + place.width);
      expected.bottom = scale(place.top + place.height);
    }
    const RECT actual = RectInClient(control, about);
    EXPECT_TRUE(::EqualRect(&actual, &expected))
        << "at " << Describe(actual) << ", expected " << Describe(expected);
  }

  std::ostringstream shot;
  shot << kArtifactsFolder << "about-box-" << pixelsPerInch << "dpi.bmp";
  SaveScreenshot(WindowRect(about), shot.str());

  // The form's colour; the picture at its own 32 x 32 pixels from Image1's corner, the rest of
  // a larger Image1 in the form's colour; the bevel's engraved line.
  const RECT image = RectInClient(ControlById(about, aboutui::kImage1), about);
  EXPECT_EQ(ClientPixel(about, client.cx - 3, 3), kBackground);
  EXPECT_LE(
      ChannelDifference(ClientPixel(about, image.left + 15, image.top + 15), RGB(58, 138, 52)), 28)
      << "the leaf";
  EXPECT_LE(ChannelDifference(ClientPixel(about, image.left + 31, image.top + 31), kBackground), 28)
      << "the picture's last pixel, a corner of the background";
  if (image.right - image.left > 32) {
    EXPECT_EQ(ClientPixel(about, image.left + 32, image.top + 15), kBackground) << "not stretched";
  }
  const RECT bevel = RectInClient(ControlById(about, aboutui::kBevel1), about);
  EXPECT_EQ(ClientPixel(about, bevel.left + 10, bevel.top), ::GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(ClientPixel(about, bevel.left + 10, bevel.top + 1), ::GetSysColor(COLOR_BTNHIGHLIGHT));

  PostClose(about);
  WaitUntilAboutClosed(app, about);
}

}  // namespace
}  // namespace swivex::e2e
