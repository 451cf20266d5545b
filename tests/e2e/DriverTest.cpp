// The driver against a small window of its own, so that a failing Swivex test points at Swivex
// rather than at the rig.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>

#include "tests/e2e/driver-target/DriverTargetIds.h"
#include "tests/e2e/driver/Clipboard.h"
#include "tests/e2e/driver/Controls.h"
#include "tests/e2e/driver/Keyboard.h"
#include "tests/e2e/driver/OpenFileDialog.h"
#include "tests/e2e/driver/RunningProgram.h"
#include "tests/e2e/driver/Screenshot.h"
#include "tests/e2e/driver/TextDialog.h"
#include "tests/e2e/driver/ThreadPause.h"
#include "tests/e2e/driver/WindowList.h"
#include "tests/support/TempFolder.h"

namespace swivex::e2e {
namespace {

using namespace std::chrono_literals;
namespace target = swivex::e2e::target;

std::string TargetProgram() {
  char self[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, self, sizeof self);
  return (std::filesystem::path(self).parent_path() / "driver_target.exe").string();
}

class DriverTest : public ::testing::Test {
 protected:
  DriverTest()
      : program_(TargetProgram(), folder_.Path().string()),
        window_(program_.WaitForWindow(target::kClassName)) {}

  HWND Control(int id) const { return ControlById(window_, id); }

  swivex::testing::TempFolder folder_;
  RunningProgram program_;
  HWND window_;
};

TEST_F(DriverTest, FindsTheWindowOfTheProgramItStarted) {
  EXPECT_EQ(ProcessOf(window_), program_.ProcessId());
  EXPECT_EQ(TextOf(window_), target::kCaption);
  EXPECT_EQ(FindTopLevelWindow({.className = target::kClassName,
                                .caption = target::kCaption,
                                .processId = program_.ProcessId(),
                                .imageEndsWith = "\\DRIVER_TARGET.EXE"}),
            window_);
  EXPECT_EQ(FindTopLevelWindow({.className = target::kClassName, .caption = "Another caption"}),
            nullptr);
}

TEST_F(DriverTest, AFailedWaitNamesWhatItWaitedForAndListsTheWindows) {
  try {
    WaitForTopLevelWindow({.className = "NoSuchClass"}, 50ms);
    FAIL() << "the wait did not fail";
  } catch (const DriverError& error) {
    const std::string text = error.what();
    EXPECT_NE(text.find("timed out waiting for a visible window of class \"NoSuchClass\""),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("class \"DriverTarget\" caption \"Driver Target\" pid " +
                        std::to_string(program_.ProcessId())),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("text \"Open\""), std::string::npos) << text;
  }
}

TEST_F(DriverTest, FillsAndConfirmsTheOpenFileDialog) {
  const std::string file = folder_ / "notes.txt";
  Click(Control(target::kOpenButton));
  auto dialog = OpenFileDialog::WaitForOwnedBy(window_);
  EXPECT_EQ(dialog.FileName(), "");
  dialog.TypeFileName(file);
  dialog.Confirm();
  WaitUntil([&] { return TextOf(Control(target::kPathField)) == file; }, "the picked path");
}

TEST_F(DriverTest, CancelsTheOpenFileDialog) {
  Click(Control(target::kOpenButton));
  auto dialog = OpenFileDialog::WaitForOwnedBy(window_);
  dialog.TypeFileName(folder_ / "ignored.txt");
  dialog.Cancel();
  WaitUntilHandled(window_);
  EXPECT_EQ(TextOf(Control(target::kPathField)), "");
  EXPECT_TRUE(IsEnabled(window_));
}

TEST_F(DriverTest, ReadsAndClosesAStopMessageBox) {
  Click(Control(target::kFailButton));
  auto box = TextDialog::WaitFor(program_.ProcessId(), target::kCaption);
  EXPECT_EQ(box.Text(), target::kFailureText);
  EXPECT_EQ(box.ButtonCaptions(), std::vector<std::string>{"OK"});
  EXPECT_TRUE(box.ShowsStopIcon());
  EXPECT_FALSE(TextDialog::Of(window_).ShowsStopIcon());
  EXPECT_FALSE(IsEnabled(window_));
  box.Press(IDOK);
  WaitUntil([&] { return IsEnabled(window_); }, "the window to be enabled again");
}

TEST_F(DriverTest, ReadsTheClipboard) {
  EmptyTheClipboard();
  EXPECT_EQ(ClipboardText(), std::nullopt);
  Click(Control(target::kCopyButton));
  WaitUntil([] { return ClipboardText() == "copied by the target"; }, "the copied text");
}

TEST_F(DriverTest, ShortcutKeysReachTheForegroundWindowWhichIsWaitedForUntilItTakesThem) {
  BringToFront(window_);
  {
    ThreadPause stalled(ThreadsOf(program_.ProcessId()));
    PressChord({VK_CONTROL, 'Q'});
    EXPECT_THROW(WaitUntilInputTaken(window_, 500ms), DriverError) << "a stalled window";
  }
  WaitUntilInputTaken(window_);
  EXPECT_EQ(program_.WaitForExit(), 0u);
}

TEST_F(DriverTest, ScreenshotIsABitmapOfTheArea) {
  const std::string shot = folder_ / "shot.bmp";
  SaveScreenshot(WindowRect(window_), shot);
  std::ifstream file(shot, std::ios::binary);
  BITMAPFILEHEADER header{};
  BITMAPINFOHEADER info{};
  file.read(reinterpret_cast<char*>(&header), sizeof header);
  file.read(reinterpret_cast<char*>(&info), sizeof info);
  ASSERT_TRUE(file);
  const RECT rect = WindowRect(window_);
  EXPECT_EQ(header.bfType, 0x4D42);
  EXPECT_EQ(info.biWidth, rect.right - rect.left);
  EXPECT_EQ(info.biHeight, rect.bottom - rect.top);
  EXPECT_EQ(std::filesystem::file_size(shot), header.bfSize);
}

TEST_F(DriverTest, ControlRectanglesAreRelativeToTheClientArea) {
  const RECT open = RectInClient(Control(target::kOpenButton), window_);
  EXPECT_EQ(open.left, 10);
  EXPECT_EQ(open.top, 10);
  EXPECT_EQ(open.right - open.left, 90);
  EXPECT_EQ(open.bottom - open.top, 25);
}

}  // namespace
}  // namespace swivex::e2e
