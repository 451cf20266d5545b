#include <gtest/gtest.h>

#include <cstring>

#include "shell/Application.h"
#include "shell/MessageDialog.h"
#include "tests/ui/DialogScript.h"
#include "tests/ui/TestWindow.h"

namespace swivex::testing {
namespace {

constexpr int kText = 0xFFFF;
const std::string kConverted = "File has been converted successfully!";

class MessageDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { SetMainWindow(owner.Handle()); }
  void TearDown() override { SetMainWindow(nullptr); }

  TestWindow owner{"Owner", 50, 50};
};

RECT ClientRectIn(HWND dialog, HWND control) {
  RECT rect{};
  ::GetWindowRect(control, &rect);
  ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

LOGFONTA FontOf(HWND control) {
  LOGFONTA font{};
  ::GetObjectA(reinterpret_cast<HFONT>(::SendMessageA(control, WM_GETFONT, 0, 0)), sizeof(font),
               &font);
  return font;
}

LOGFONTA SystemMessageFont() {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof(metrics);
  ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  return metrics.lfMessageFont;
}

std::string ClipboardText() {
  if (!::OpenClipboard(nullptr)) return "(clipboard busy)";
  std::string text;
  if (HANDLE data = ::GetClipboardData(CF_TEXT)) {
    if (const char* bytes = static_cast<const char*>(::GlobalLock(data))) {
      text = bytes;
      ::GlobalUnlock(data);
    }
  }
  ::CloseClipboard();
  return text;
}

void SetClipboardText(const std::string& text) {
  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  std::memcpy(::GlobalLock(memory), text.c_str(), text.size() + 1);
  ::GlobalUnlock(memory);
  ::SetClipboardData(CF_TEXT, memory);
  ::CloseClipboard();
}

TEST_F(MessageDialogTest, ShowsTheTextAboveOneCentredDefaultOkButton) {
  DialogScript script({[&](HWND dialog) {
    EXPECT_EQ(WindowCaption(dialog), ApplicationTitle());
    EXPECT_EQ(::GetWindow(dialog, GW_OWNER), owner.Handle());
    EXPECT_FALSE(::IsWindowEnabled(owner.Handle()));

    // A fixed dialog frame without an icon.
    const auto style = static_cast<DWORD>(::GetWindowLongPtrA(dialog, GWL_STYLE));
    const auto extended = static_cast<DWORD>(::GetWindowLongPtrA(dialog, GWL_EXSTYLE));
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_TRUE(extended & WS_EX_DLGMODALFRAME);
    EXPECT_EQ(::SendMessageA(dialog, WM_GETICON, ICON_SMALL, 0), 0);
    EXPECT_EQ(::SendMessageA(dialog, WM_GETICON, ICON_BIG, 0), 0);

    // Centred on the primary monitor.
    RECT frame{};
    ::GetWindowRect(dialog, &frame);
    EXPECT_NEAR(frame.left + frame.right, ::GetSystemMetrics(SM_CXSCREEN), 1);
    EXPECT_NEAR(frame.top + frame.bottom, ::GetSystemMetrics(SM_CYSCREEN), 1);

    // The text in the message font, on one line, inside the client area.
    HWND text = ::GetDlgItem(dialog, kText);
    EXPECT_EQ(WindowCaption(text), kConverted);
    const LOGFONTA font = FontOf(text);
    const LOGFONTA messageFont = SystemMessageFont();
    EXPECT_STREQ(font.lfFaceName, messageFont.lfFaceName);
    EXPECT_EQ(font.lfHeight, messageFont.lfHeight);
    RECT client{};
    ::GetClientRect(dialog, &client);
    const RECT textRect = ClientRectIn(dialog, text);
    EXPECT_GT(textRect.left, 0);
    EXPECT_GT(textRect.top, 0);
    EXPECT_LT(textRect.right, client.right);

    // "OK", the default button, centred below the text.
    HWND ok = ::GetDlgItem(dialog, IDOK);
    EXPECT_EQ(WindowCaption(ok), "OK");
    EXPECT_EQ(::GetWindowLongPtrA(ok, GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_EQ(::GetFocus(), ok);
    const RECT okRect = ClientRectIn(dialog, ok);
    EXPECT_NEAR(okRect.left + okRect.right, client.right, 1);
    EXPECT_GT(okRect.top, textRect.bottom);
    EXPECT_LT(okRect.bottom, client.bottom);

    Press(dialog, IDOK);
    return true;
  }});
  ShowMessageDialog(kConverted);
  EXPECT_TRUE(script.Finished());
  EXPECT_TRUE(::IsWindowEnabled(owner.Handle()));
}

TEST_F(MessageDialogTest, WrapsLongTextAtHalfTheScreenWidth) {
  std::string text;
  for (int i = 0; i < 60; ++i) text += "Several words of a long message ";
  DialogScript script({[&](HWND dialog) {
    const RECT textRect = ClientRectIn(dialog, ::GetDlgItem(dialog, kText));
    const int halfScreen = ::GetSystemMetrics(SM_CXSCREEN) / 2;
    EXPECT_LE(textRect.right - textRect.left, halfScreen);
    EXPECT_GT(textRect.right - textRect.left, halfScreen * 3 / 4);
    EXPECT_GT(textRect.bottom - textRect.top, 100);  // many lines
    Press(dialog, IDOK);
    return true;
  }});
  ShowMessageDialog(text);
  EXPECT_TRUE(script.Finished());
}

TEST_F(MessageDialogTest, EnterAndEscapeClose) {
  for (WORD key : {VK_RETURN, VK_ESCAPE}) {
    DialogScript script({[&](HWND dialog) {
      ::SetForegroundWindow(dialog);
      TypeKeys({}, key);
      return true;
    }});
    ShowMessageDialog(kConverted);
    EXPECT_TRUE(script.Finished()) << key;
  }
}

TEST_F(MessageDialogTest, CtrlCCopiesCaptionTextAndButtonBetweenDividers) {
  SetClipboardText("before");
  const std::string text = "Unknown type of executable flash file!\tand a tab";
  std::string afterShiftedKey;
  std::string afterCopyKey;
  int typed = 0;
  DialogScript script({[&](HWND dialog) {
    if (!TypedKeysHandled()) return false;
    switch (typed++) {
      case 0:
        ::SetForegroundWindow(dialog);
        TypeKeys({VK_CONTROL, VK_SHIFT}, 'C');  // another modifier: not a copy
        return false;
      case 1:
        afterShiftedKey = ClipboardText();
        TypeKeys({VK_CONTROL}, 'C');
        return false;
      default:
        afterCopyKey = ClipboardText();
        Press(dialog, IDOK);
        return true;
    }
  }});
  ShowMessageDialog(text);
  ASSERT_TRUE(script.Finished());
  EXPECT_EQ(afterShiftedKey, "before");
  const std::string divider = std::string(27, '-') + "\r\n";
  EXPECT_EQ(afterCopyKey,
            divider + "Swivex 1.0\r\n" + divider + text + "\r\n" + divider + "OK   \r\n" + divider);
}

TEST_F(MessageDialogTest, ABusyClipboardIsReportedInTheErrorBox) {
  TestWindow holder("Clipboard holder", 400, 50);
  std::string errorText;
  std::string errorCaption;
  HWND messageDialog = nullptr;
  int tick = 0;
  DialogScript script({
      [&](HWND dialog) {
        if (tick++ == 0) {
          messageDialog = dialog;
          EXPECT_TRUE(::OpenClipboard(holder.Handle()));
          ::SetForegroundWindow(dialog);
          TypeKeys({VK_CONTROL}, 'C');
        }
        return true;
      },
      [&](HWND errorBox) {
        errorText = ChildText(errorBox, 0xFFFF);
        errorCaption = WindowCaption(errorBox);
        ::CloseClipboard();
        Press(errorBox, IDOK);
        Press(messageDialog, IDOK);
        return true;
      },
  });
  ShowMessageDialog(kConverted);
  ASSERT_TRUE(script.Finished());
  EXPECT_EQ(errorText, "Cannot open clipboard.");
  EXPECT_EQ(errorCaption, "Swivex 1.0");
}

}  // namespace
}  // namespace swivex::testing
