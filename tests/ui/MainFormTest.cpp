#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>

#include "app/MessageLoop.h"
#include "platform/SystemDesktop.h"
#include "platform/SystemFileIdentities.h"
#include "platform/SystemFiles.h"
#include "platform/SystemRegistry.h"
#include "shell/Application.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFiles.h"
#include "tests/ui/DialogScript.h"
#include "tests/ui/TestWindow.h"
#include "ui/HandedFiles.h"
#include "ui/MainFrm.h"
#include "ui/MainFrmIds.h"
#include "winsupport/WindowsHandles.h"

namespace swivex::testing {
namespace {

using namespace mainform;

constexpr COLORREF kFormColour = RGB(200, 228, 169);
constexpr int kFileNameField = 0x47c;  // cmb13 of the explorer-style open-file dialog

// The main window as it was drawn, at 96 pixels per inch: left, top, width, height, relative to
// the client area or, for controls in the group, to the group box.
struct ExpectedControl {
  int id;
  const char* className;
  const char* caption;
  int left;
  int top;
  int width;  // 0: sized to its text
  int height;
  bool inGroup;
};

constexpr ExpectedControl kExpected[] = {
    {kButton1, "Button", "Convert Swf To Exe", 18, 20, 128, 25, false},
    {kButton2, "Button", "Convert Exe To Swf", 160, 20, 129, 25, false},
    {kButton3, "Button", "Set Flash as ScreenSaver", 302, 20, 153, 25, false},
    {kGroupBox1, "Button", "Convert Result:", 18, 59, 438, 79, false},
    {kLabel1, "Static", "Source file:", 10, 22, 0, 0, true},
    {kLabel2, "Static", "Taget file:", 16, 50, 0, 0, true},
    {kEdit1, "Edit", "", 68, 19, 325, 19, true},
    {kEdit2, "Edit", "", 68, 47, 325, 19, true},
    {kButton4, "Button", "Go", 399, 44, 29, 25, true},
};

int ScreenPixelsPerInch() {
  HDC screen = ::GetDC(nullptr);
  const int pixelsPerInch = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);
  return pixelsPerInch;
}

// The height of text in the window's font on this screen, measured here on its own.
int TextHeightOfFormFont() {
  HFONT font = ::CreateFontA(-std::lround(11.0 * ScreenPixelsPerInch() / 96), 0, 0, 0, FW_NORMAL, 0,
                             0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
  HDC screen = ::GetDC(nullptr);
  HGDIOBJ previous = ::SelectObject(screen, font);
  SIZE size{};
  ::GetTextExtentPoint32A(screen, "0", 1, &size);
  ::SelectObject(screen, previous);
  ::ReleaseDC(nullptr, screen);
  ::DeleteObject(font);
  return size.cy;
}

int Scaled(int value) {
  return static_cast<int>(std::lround(value * TextHeightOfFormFont() / 13.0));
}

RECT RectInClient(HWND window, HWND control) {
  RECT rect{};
  ::GetWindowRect(control, &rect);
  ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

DWORD StyleOf(HWND window) { return static_cast<DWORD>(::GetWindowLongPtrA(window, GWL_STYLE)); }

// The system's files, except that once told to hold, the next conversion stops as it makes its
// scratch file (its existing target already held) until the test lets it go on.
class HoldingFiles final : public SystemFiles {
 public:
  static constexpr DWORD kHoldMs = 20000;

  FileResult CreateNewFileExclusive(const std::string& name) override {
    if (holding_.exchange(false)) {
      held_ = true;
      ::WaitForSingleObject(release_.Get(), kHoldMs);
    }
    return SystemFiles::CreateNewFileExclusive(name);
  }
  void HoldNextConversion() { holding_ = true; }
  bool Holds() const { return held_; }
  void Release() { ::SetEvent(release_.Get()); }

 private:
  std::atomic<bool> holding_ = false;
  std::atomic<bool> held_ = false;
  win::UniqueKernelObject release_{::CreateEventA(nullptr, TRUE, FALSE, nullptr)};
};

// Hands the files to the window as a second Swivex does; true if the window took them.
bool HandOver(HWND window, const std::vector<std::string>& files) {
  std::string message = PackHandedFiles(files).front();
  COPYDATASTRUCT data{kHandedFilesTag, static_cast<DWORD>(message.size()), message.data()};
  return ::SendMessageA(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)) == TRUE;
}

// A step that keeps the text of a message dialog or error box and closes it.
DialogScript::Step ReadAndClose(std::string& text) {
  return [&text](HWND dialog) {
    text = ChildText(dialog, 0xFFFF);
    Press(dialog, IDOK);
    return true;
  };
}

// A projector as Swivex builds one: a stub, the movie and the trailer.
Bytes ProjectorOf(const Bytes& movie) {
  return Concat(Concat({'M', 'Z'}, movie),
                ProjectorTrailer(static_cast<std::uint32_t>(movie.size())));
}

class MainFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<TMainForm>(::GetModuleHandleA(nullptr), files, identities, registry,
                                       desktop);
    window = form->Create();
    ASSERT_NE(window, nullptr);
    SetMainWindow(window);
    ::ShowWindow(window, SW_SHOWNORMAL);
    ::SetForegroundWindow(window);
    ASSERT_TRUE(PumpMessagesUntil([this] { return IsInFrontAndPainted(window); }))
        << "the main window did not come to the front painted";
  }
  void TearDown() override {
    SetMainWindow(nullptr);
    form.reset();
    HandlePendingMessages();  // takes the closed window's WM_QUIT off the queue
  }

  HWND Control(int id) const { return ::GetDlgItem(window, id); }
  std::string Text(int id) const { return WindowCaption(Control(id)); }
  void Click(int id) {
    ::SendMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(Control(id)));
  }
  void Choose(int menuCommand) {
    ::SendMessageA(window, WM_COMMAND, MAKEWPARAM(menuCommand, 0), 0);
  }

  HoldingFiles files;
  SystemFileIdentities identities;
  SystemRegistry registry;
  SystemDesktop desktop;
  std::unique_ptr<TMainForm> form;
  HWND window = nullptr;
};

TEST_F(MainFormTest, IsAFixedSizeWindowCentredOnTheDesktop) {
  EXPECT_EQ(ClassOf(window), "TMainForm");
  EXPECT_EQ(WindowCaption(window), "Swivex 1.0");
  EXPECT_EQ(ApplicationTitle(), "Swivex 1.0");
  const DWORD style = StyleOf(window);
  const DWORD wanted = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
  EXPECT_EQ(style & wanted, wanted);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_FALSE(style & (WS_POPUP | WS_CHILD));

  RECT client{};
  ::GetClientRect(window, &client);
  EXPECT_EQ(client.right, Scaled(471));
  EXPECT_EQ(client.bottom, Scaled(157));

  RECT frame{};
  ::GetWindowRect(window, &frame);
  const int left = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  EXPECT_EQ(frame.left, left + (::GetSystemMetrics(SM_CXVIRTUALSCREEN) - width) / 2);
  EXPECT_EQ(frame.top, top + (::GetSystemMetrics(SM_CYVIRTUALSCREEN) - height) / 2);
}

// The 144-DPI run says which resolution it set up, so that a setting that did not take is seen.
TEST(ScreenResolution, IsTheOneThatTheRunSetUp) {
  const char* expected = std::getenv("SWIVEX_EXPECTED_DPI");
  if (expected == nullptr) return;
  EXPECT_EQ(ScreenPixelsPerInch(), std::atoi(expected));
  EXPECT_NE(TextHeightOfFormFont(), 13);  // so the layout is scaled
}

TEST_F(MainFormTest, ControlsLieWhereTheLayoutPutsThemAtThisScreensScale) {
  const RECT group = RectInClient(window, Control(kGroupBox1));
  for (const ExpectedControl& expected : kExpected) {
    HWND control = Control(expected.id);
    ASSERT_NE(control, nullptr) << expected.id;
    SCOPED_TRACE(expected.caption);
    EXPECT_EQ(::GetParent(control), window);  // every control is a child of the window itself
    EXPECT_EQ(ClassOf(control), expected.className);
    EXPECT_EQ(WindowCaption(control), expected.caption);

    const RECT rect = RectInClient(window, control);
    const int originLeft = expected.inGroup ? group.left : 0;
    const int originTop = expected.inGroup ? group.top : 0;
    EXPECT_EQ(rect.left, originLeft + Scaled(expected.left));
    EXPECT_EQ(rect.top, originTop + Scaled(expected.top));
    if (expected.width != 0) {
      EXPECT_EQ(rect.right - rect.left,
                Scaled(expected.left + expected.width) - Scaled(expected.left));
      EXPECT_EQ(rect.bottom - rect.top,
                Scaled(expected.top + expected.height) - Scaled(expected.top));
    } else {
      HDC dc = ::GetDC(control);
      HGDIOBJ previous =
          ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageA(control, WM_GETFONT, 0, 0)));
      SIZE text{};
      ::GetTextExtentPoint32A(dc, expected.caption, static_cast<int>(std::strlen(expected.caption)),
                              &text);
      ::SelectObject(dc, previous);
      ::ReleaseDC(control, dc);
      EXPECT_EQ(rect.right - rect.left, text.cx);
      EXPECT_EQ(rect.bottom - rect.top, text.cy);
    }

    LOGFONTA font{};
    ::GetObjectA(reinterpret_cast<HFONT>(::SendMessageA(control, WM_GETFONT, 0, 0)), sizeof(font),
                 &font);
    EXPECT_STREQ(font.lfFaceName, "MS Sans Serif");
    EXPECT_EQ(font.lfHeight, -std::lround(11.0 * ScreenPixelsPerInch() / 96));
  }
}

TEST_F(MainFormTest, PathFieldsAreFlatDisabledAndGoStartsDisabled) {
  for (int id : {kEdit1, kEdit2}) {
    const DWORD style = StyleOf(Control(id));
    EXPECT_TRUE(style & ES_READONLY);
    EXPECT_FALSE(::IsWindowEnabled(Control(id)));
    EXPECT_FALSE(style & WS_BORDER);
    EXPECT_FALSE(::GetWindowLongPtrA(Control(id), GWL_EXSTYLE) &
                 (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE));
    EXPECT_EQ(Text(id), "");
  }
  EXPECT_FALSE(::IsWindowEnabled(Control(kButton4)));
  for (int id : {kButton1, kButton2, kButton3, kButton4}) {
    EXPECT_EQ(StyleOf(Control(id)) & BS_TYPEMASK, static_cast<DWORD>(BS_PUSHBUTTON)) << id;
    EXPECT_EQ(Text(id).find('&'), std::string::npos) << id;
  }
}

TEST_F(MainFormTest, BackgroundLabelsGroupAndFieldsShareTheFormColour) {
  ::RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  auto pixelAt = [&](POINT point) {
    ::ClientToScreen(window, &point);
    HDC screen = ::GetDC(nullptr);
    const COLORREF colour = ::GetPixel(screen, point.x, point.y);
    ::ReleaseDC(nullptr, screen);
    return colour;
  };
  const RECT edit = RectInClient(window, Control(kEdit1));
  const RECT group = RectInClient(window, Control(kGroupBox1));
  const RECT label = RectInClient(window, Control(kLabel1));
  const struct {
    const char* what;
    POINT at;
  } spots[] = {
      {"the window", {4, 4}},
      {"inside the group", {group.left + 4, group.bottom - 6}},
      {"an empty field", {edit.right - 2, (edit.top + edit.bottom) / 2}},
      {"behind a label", {label.right - 1, label.top}},
  };
  // The drawing reaches the screen when Wine next copies the window's surface to it. Should that
  // not happen in time, the expectations below say which spot shows what.
  PumpMessagesUntil([&] {
    return std::all_of(std::begin(spots), std::end(spots),
                       [&](const auto& spot) { return pixelAt(spot.at) == kFormColour; });
  });
  for (const auto& spot : spots) EXPECT_EQ(pixelAt(spot.at), kFormColour) << spot.what;
}

TEST_F(MainFormTest, MenuHasTheCommandsWithAccessKeysAndCtrlQ) {
  HMENU bar = ::GetMenu(window);
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(::GetMenuItemCount(bar), 2);
  auto textAt = [](HMENU menu, int position) {
    char text[256] = {};
    ::GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof(text), MF_BYPOSITION);
    return std::string(text);
  };
  EXPECT_EQ(textAt(bar, 0), "&File");
  EXPECT_EQ(textAt(bar, 1), "&Help");

  struct Item {
    const char* caption;
    int id;
  };
  const Item fileItems[] = {{"Convert S&WF to EXE", kConvertSWFtoEXE},
                            {"Convert EXE to SW&F", kConvertEXEtoSWF},
                            {"Set Flash as ScreenSave&r", kSetasScreenSaver1},
                            {nullptr, 0},
                            {"E&xit\tCtrl+Q", kExit1}};
  const Item helpItems[] = {{"&Contents...", kContents1}, {"&About...", kAbout1}};
  auto check = [&](HMENU menu, const auto& items) {
    ASSERT_EQ(::GetMenuItemCount(menu), static_cast<int>(std::size(items)));
    for (int i = 0; i < static_cast<int>(std::size(items)); ++i) {
      if (items[i].caption == nullptr) {
        EXPECT_TRUE(::GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR);
        continue;
      }
      EXPECT_EQ(textAt(menu, i), items[i].caption);
      EXPECT_EQ(static_cast<int>(::GetMenuItemID(menu, i)), items[i].id);
    }
  };
  check(::GetSubMenu(bar, 0), fileItems);
  check(::GetSubMenu(bar, 1), helpItems);

  ACCEL shortcuts[4] = {};
  ASSERT_EQ(::CopyAcceleratorTableA(form->Accelerators(), shortcuts, 4), 1);
  EXPECT_EQ(shortcuts[0].fVirt & (FVIRTKEY | FCONTROL | FSHIFT | FALT), FVIRTKEY | FCONTROL);
  EXPECT_EQ(shortcuts[0].key, 'Q');
  EXPECT_EQ(shortcuts[0].cmd, kExit1);
}

TEST_F(MainFormTest, TabMovesThroughTheButtonsInLayoutOrder) {
  ::SetFocus(Control(kButton1));
  std::vector<int> visited;
  for (int i = 0; i < 4; ++i) {
    MSG tab{::GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
    ::IsDialogMessageA(window, &tab);
    visited.push_back(::GetDlgCtrlID(::GetFocus()));
  }
  // The fields are disabled and Go is too until a conversion: they take no focus.
  EXPECT_EQ(visited, (std::vector<int>{kButton2, kButton3, kButton1, kButton2}));
  // The keyboard visits the controls in the order in which they were created.
  std::vector<int> order;
  for (HWND child = ::GetWindow(window, GW_CHILD); child != nullptr;
       child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (StyleOf(child) & WS_TABSTOP) order.push_back(::GetDlgCtrlID(child));
  }
  EXPECT_EQ(order, (std::vector<int>{kButton1, kButton2, kButton3, kEdit1, kEdit2, kButton4}));
}

TEST_F(MainFormTest, EnterPressesTheFocusedButtonOnly) {
  {
    // No button is the default: Enter elsewhere, and Escape, do nothing.
    DialogScript stray({[](HWND dialog) {
      Press(dialog, IDCANCEL);
      return true;
    }});
    ::SetFocus(window);
    for (WORD key : {VK_RETURN, VK_ESCAPE}) {
      MSG press{window, WM_KEYDOWN, key, 0, 0, {}};
      ::IsDialogMessageA(window, &press);
    }
    EXPECT_FALSE(stray.Finished());
    EXPECT_TRUE(::IsWindow(window));
  }

  ::SetFocus(Control(kButton2));
  std::string filter;
  DialogScript script({[&](HWND dialog) {
    char text[256] = {};
    ::SendDlgItemMessageA(dialog, 0x470, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
    filter = text;
    Press(dialog, IDCANCEL);
    return true;
  }});
  MSG enter{Control(kButton2), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
  ::IsDialogMessageA(window, &enter);
  EXPECT_TRUE(script.Finished());
  EXPECT_EQ(filter, "EXE file (*.exe)");
}

TEST_F(MainFormTest, CtrlQInTheMessageLoopClosesTheWindowAndEndsTheLoop) {
  ::SetFocus(Control(kButton2));
  TypeKeys({VK_CONTROL}, 'Q');
  // Should the shortcut fail, the window is closed after a while so that the loop still ends.
  ::SetTimer(window, 1, 5000, [](HWND stuck, UINT, UINT_PTR, DWORD) { ::DestroyWindow(stuck); });
  const DWORD start = ::GetTickCount();
  RunMessageLoop(window, form->Accelerators());
  EXPECT_LT(::GetTickCount() - start, 4000u);
  EXPECT_FALSE(::IsWindow(window));
}

TEST_F(MainFormTest, ExitClosesTheWindow) {
  Choose(kExit1);
  EXPECT_FALSE(::IsWindow(window));
}

TEST_F(MainFormTest, CancellingAConversionsDialogChangesNothing) {
  for (int command : {kButton1, kButton2, kConvertSWFtoEXE, kConvertEXEtoSWF}) {
    DialogScript script({[](HWND dialog) {
      Press(dialog, IDCANCEL);
      return true;
    }});
    if (command < kConvertSWFtoEXE) {
      Click(command);
    } else {
      Choose(command);
    }
    EXPECT_TRUE(script.Finished()) << command;
    EXPECT_EQ(Text(kEdit1), "");
    EXPECT_EQ(Text(kEdit2), "");
    EXPECT_FALSE(::IsWindowEnabled(Control(kButton4)));
  }
}

struct ConversionRun {
  std::string dialogFilter;
  std::string errorText;
  std::string errorCaption;
};

// Runs a conversion command, choosing `path` in its open-file dialog; the source is missing, so
// the conversion fails and shows the error box.
ConversionRun RunFailingConversion(const std::function<void()>& command, const std::string& path) {
  ConversionRun run;
  DialogScript script({
      [&](HWND dialog) {
        char filter[256] = {};
        ::SendDlgItemMessageA(dialog, 0x470, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(filter));
        run.dialogFilter = filter;
        ::SetDlgItemTextA(dialog, kFileNameField, path.c_str());
        Press(dialog, IDOK);
        return true;
      },
      [&](HWND errorBox) {
        run.errorText = ChildText(errorBox, 0xFFFF);
        run.errorCaption = WindowCaption(errorBox);
        Press(errorBox, IDOK);
        return true;
      },
  });
  command();
  // The conversion runs on a worker thread: its error box comes once the window hears of its end.
  EXPECT_TRUE(PumpMessagesUntil([&] { return script.Finished(); }));
  return run;
}

TEST_F(MainFormTest, AConversionFillsThePathsAndEnablesGoBeforeItRuns) {
  TempFolder folder;
  const std::string movie = folder / "intro.swf";
  const ConversionRun swfToExe = RunFailingConversion([&] { Click(kButton1); }, movie);
  EXPECT_EQ(swfToExe.dialogFilter, "SWF file (*.swf)");
  EXPECT_EQ(Text(kEdit1), movie);
  EXPECT_EQ(Text(kEdit2), folder / "intro.exe");
  EXPECT_TRUE(::IsWindowEnabled(Control(kButton4)));
  EXPECT_EQ(swfToExe.errorText.rfind("Cannot open file \"", 0), 0u) << swfToExe.errorText;
  EXPECT_EQ(swfToExe.errorText.back(), '.');
  EXPECT_EQ(swfToExe.errorCaption, "Swivex 1.0");
  EXPECT_FALSE(std::filesystem::exists(folder / "intro.exe"));

  // A source whose last component has no extension gets one; a "." in a folder name stays.
  std::filesystem::create_directory(folder.Path() / "a.b");
  const std::string bundle = folder / "a.b\\file";
  const ConversionRun exeToSwf = RunFailingConversion([&] { Choose(kConvertEXEtoSWF); }, bundle);
  EXPECT_EQ(exeToSwf.dialogFilter, "EXE file (*.exe)");
  EXPECT_EQ(Text(kEdit1), bundle);
  EXPECT_EQ(Text(kEdit2), bundle + ".swf");
  EXPECT_EQ(exeToSwf.errorText.rfind("Cannot open file \"" + bundle + "\". ", 0), 0u)
      << exeToSwf.errorText;
  EXPECT_TRUE(::IsWindowEnabled(Control(kButton4)));

  // Cancelling afterwards keeps the last conversion's paths and Go.
  DialogScript cancel({[](HWND dialog) {
    Press(dialog, IDCANCEL);
    return true;
  }});
  Click(kButton2);
  EXPECT_EQ(Text(kEdit2), bundle + ".swf");
  EXPECT_TRUE(::IsWindowEnabled(Control(kButton4)));
}

// A movie handed over while its projector is being extracted would be replaced by the extraction:
// the extraction is cancelled, which leaves the movie as it was, and both fail with the reason.
TEST_F(MainFormTest, ARunningConversionThatWouldReplaceAFileThatJoinsIsCancelled) {
  TempFolder folder;
  const Bytes projector = ProjectorOf(RandomBytes(3000, 41));
  const Bytes movie = RandomBytes(2000, 42);
  WriteBytes(folder / "a.exe", projector);
  WriteBytes(folder / "a.swf", movie);
  std::string summary;
  DialogScript script({ReadAndClose(summary)});

  files.HoldNextConversion();
  ASSERT_TRUE(HandOver(window, {folder / "a.exe"}));
  ASSERT_TRUE(PumpMessagesUntil([&] { return files.Holds(); })) << "the extraction did not start";
  EXPECT_TRUE(HandOver(window, {folder / "a.swf"}));
  files.Release();
  EXPECT_TRUE(PumpMessagesUntil([&] { return script.Finished(); }));

  EXPECT_EQ(summary,
            "a.exe: would replace \"a.swf\", which is also being converted.\r\n"
            "a.swf: would replace \"a.exe\", which is also being converted.");
  EXPECT_EQ(ReadBytes(folder / "a.swf"), movie);
  EXPECT_EQ(ReadBytes(folder / "a.exe"), projector);
  EXPECT_EQ(NamesIn(folder.Path().string()), (std::vector<std::string>{"a.exe", "a.swf"}));
}

// Files handed over are the sender's no more: a close while they wait for their batch (here behind
// an error box, then gathering) converts them first and closes the window after their conclusion.
TEST_F(MainFormTest, ClosingWithHandedFilesWaitingConvertsThemFirst) {
  TempFolder folder;
  const Bytes movie = RandomBytes(2000, 43);
  WriteBytes(folder / "a.exe", ProjectorOf(movie));
  WriteBytes(folder / "notes.txt", {'n'});
  std::string summary;
  DialogScript script({[&](HWND errorBox) {
                         EXPECT_TRUE(HandOver(window, {folder / "a.exe"}));
                         ::SendMessageA(window, WM_CLOSE, 0, 0);
                         EXPECT_TRUE(::IsWindow(window)) << "closed before converting";
                         Press(errorBox, IDOK);
                         return true;
                       },
                       ReadAndClose(summary)});

  ASSERT_TRUE(HandOver(window, {folder / "notes.txt"}));
  EXPECT_TRUE(PumpMessagesUntil([&] { return !::IsWindow(window); })) << "the window stayed";
  EXPECT_TRUE(script.Finished());
  EXPECT_EQ(summary, "File has been converted successfully!");
  EXPECT_EQ(ReadBytes(folder / "a.swf"), movie);
}

}  // namespace
}  // namespace swivex::testing
