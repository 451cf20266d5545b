// The two open-file dialogs of the main window: what they remember between uses and where they
// appear.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>

#include "tests/e2e/E2eFiles.h"
#include "tests/e2e/SwivexApp.h"
#include "tests/e2e/driver/Controls.h"
#include "tests/e2e/driver/WindowList.h"
#include "tests/support/TempFolder.h"

namespace swivex::e2e {
namespace {

using namespace std::chrono_literals;

class OpenDialogTest : public ::testing::Test {
 protected:
  std::string Work(const std::string& name) const { return work_ / name; }

  void CloseMessage() {
    app_.WaitForTitledDialog().Press(IDOK);
    WaitUntil([&] { return IsEnabled(app_.Window()); }, "the main window to be enabled again");
  }

  swivex::testing::TempFolder work_;
  SwivexApp app_;
};

// The dialog may show the remembered pick as the full path, or open in its folder and show the
// file's name.
void ExpectOffers(const OpenFileDialog& dialog, const std::filesystem::path& pick) {
  const std::string shown = dialog.FileName();
  EXPECT_TRUE(shown == pick.string() || shown == pick.filename().string())
      << "the file name field shows \"" << shown << "\" instead of " << pick;
}

TEST_F(OpenDialogTest, TheSwfDialogOffersItsLastPickAgain) {
  swivex::testing::WriteBytes(Work("first.swf"), MovieBytes(500, 1));
  app_.Pick(kSwfToExeButton, Work("first.swf"));
  CloseMessage();

  {
    SCOPED_TRACE("the same command");
    auto dialog = app_.OpenDialogOf(kSwfToExeButton);
    ExpectOffers(dialog, Work("first.swf"));
    // Cancelling leaves the remembered file alone, whatever was typed.
    dialog.TypeFileName(Work("typed-then-cancelled.swf"));
    dialog.Cancel();
  }
  {
    SCOPED_TRACE("the screen-saver command, which uses the same dialog");
    auto dialog = app_.OpenDialogOf(kScreenSaverButton);
    ExpectOffers(dialog, Work("first.swf"));
    dialog.Cancel();
    WaitUntilHandled(app_.Window());
  }
  {
    SCOPED_TRACE("the other conversion, which has a dialog of its own");
    auto dialog = app_.OpenDialogOf(kExeToSwfButton);
    EXPECT_EQ(dialog.FileName(), "");
    dialog.Cancel();
    WaitUntilHandled(app_.Window());
  }
  {
    SCOPED_TRACE("confirming the offered file as it stands");
    app_.Run(kSwfToExeMenu);
    auto dialog = OpenFileDialog::WaitForOwnedBy(app_.Window());
    ExpectOffers(dialog, Work("first.swf"));
    dialog.Confirm();
    CloseMessage();
    EXPECT_EQ(app_.Source(), Work("first.swf"));
    EXPECT_EQ(app_.Target(), Work("first.exe"));
  }
}

TEST_F(OpenDialogTest, TheExeDialogOffersItsLastPickAgain) {
  swivex::testing::WriteBytes(Work("some.exe"), MovieBytes(500, 2));
  app_.Pick(kExeToSwfButton, Work("some.exe"));
  CloseMessage();

  auto dialog = app_.OpenDialogOf(kExeToSwfMenu);
  ExpectOffers(dialog, Work("some.exe"));
  dialog.Cancel();
  WaitUntilHandled(app_.Window());
  auto swfDialog = app_.OpenDialogOf(kSwfToExeButton);
  EXPECT_EQ(swfDialog.FileName(), "");
  swfDialog.Cancel();
}

// Waits until the window has stopped moving: the dialog is moved after it appears.
RECT SettledRect(HWND window) {
  RECT last = WindowRect(window);
  int unchanged = 0;
  WaitUntil(
      [&] {
        const RECT now = WindowRect(window);
        unchanged = ::EqualRect(&now, &last) ? unchanged + 1 : 0;
        last = now;
        return unchanged >= 10;
      },
      "the dialog to stop moving");
  return last;
}

TEST_F(OpenDialogTest, DialogsAreCentredAcrossAndAThirdDown) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  ::GetMonitorInfoA(::MonitorFromWindow(app_.Window(), MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT area = monitor.rcMonitor;

  for (const auto& command : {kSwfToExeButton, kExeToSwfButton, kScreenSaverButton}) {
    SCOPED_TRACE(command.name);
    auto dialog = app_.OpenDialogOf(command);
    const RECT rect = SettledRect(dialog.Window());
    const LONG width = rect.right - rect.left;
    const LONG height = rect.bottom - rect.top;
    const LONG left = area.left + (area.right - area.left - width) / 2;
    const LONG top = area.top + (area.bottom - area.top - height) / 3;
    EXPECT_NEAR(rect.left, left, 1) << "dialog " << width << " x " << height;
    EXPECT_NEAR(rect.top, top, 1) << "dialog " << width << " x " << height;
    dialog.Cancel();
    WaitUntilHandled(app_.Window());
  }
}

}  // namespace
}  // namespace swivex::e2e
