// A conversion of a large movie held on tmpfs: its progress window, the window that keeps
// answering, and the ways to stop it. The driver holds the conversion's thread still, as a disk
// that does not answer would, so that the conversion is still running while the test looks.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <future>
#include <iostream>
#include <regex>
#include <set>

#include "tests/e2e/E2eFiles.h"
#include "tests/e2e/E2ePaths.h"
#include "tests/e2e/LargeMovie.h"
#include "tests/e2e/SwivexApp.h"
#include "tests/e2e/driver/Controls.h"
#include "tests/e2e/driver/FileDrop.h"
#include "tests/e2e/driver/Keyboard.h"
#include "tests/e2e/driver/Screenshot.h"
#include "tests/e2e/driver/ThreadPause.h"
#include "tests/e2e/driver/WindowList.h"
#include "tests/support/TempFolder.h"

namespace swivex::e2e {
namespace {

using swivex::testing::NamesIn;
using swivex::testing::ReadBytes;
using swivex::testing::WriteBytes;

enum class StopBy { CancelButton, EscapeKey, ClosingTheMainWindow, EndingTheSession };

struct StopWay {
  const char* name;
  StopBy by;
};

class LongConversionTest : public ::testing::TestWithParam<StopWay> {
 protected:
  static void SetUpTestSuite() {
    shm_ = new swivex::testing::TempFolder(kTmpfs);
    WriteLargeMovie(*shm_ / "big.swf");
  }
  static void TearDownTestSuite() {
    delete shm_;
    shm_ = nullptr;
  }

  static swivex::testing::TempFolder* shm_;
};

swivex::testing::TempFolder* LongConversionTest::shm_ = nullptr;

// Whatever follows, a scratch file's name starts so.
bool IsScratchName(const std::string& name) { return name.rfind("~swivex-", 0) == 0; }

TEST_P(LongConversionTest, ShowsProgressAnswersAndStopsLeavingTheOldTarget) {
  const std::string movie = *shm_ / "big.swf";
  const std::string target = *shm_ / "big.exe";
  const Bytes oldTarget = MovieBytes(1000, 31);
  WriteBytes(target, oldTarget);
  SwivexApp app;
  const std::set<DWORD> threadsBefore = ThreadsOf(app.Process().ProcessId());

  DropFiles(app.Window(), {movie});
  // The conversion's thread is the one that the drop started.
  ThreadPause stalled(
      WaitForThreadsBesides(app.Process().ProcessId(), threadsBefore, "the conversion's thread"));

  const HWND progress = WaitForTopLevelWindow({.className = swivexui::kProgressClassName,
                                               .processId = app.Process().ProcessId(),
                                               .owner = app.Window()});
  EXPECT_EQ(TextOf(ControlById(progress, swivexui::kMovieName)), "big.swf");
  EXPECT_TRUE(std::regex_match(TextOf(ControlById(progress, swivexui::kPercent)),
                               std::regex(R"([0-9]{1,2}%)")));
  EXPECT_EQ(ClassNameOf(ControlById(progress, swivexui::kProgressBar)), "msctls_progress32");
  EXPECT_FALSE(IsEnabled(app.Window())) << "the progress window is modal";
  // The main window answers at once although its conversion is held up.
  DWORD_PTR answer = 0;
  EXPECT_TRUE(::SendMessageTimeoutA(app.Window(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer));
  EXPECT_EQ(app.Source(), movie);
  EXPECT_EQ(app.Target(), target);
  if (GetParam().by == StopBy::CancelButton)
    SaveScreenshot(WindowRect(progress), std::string(kArtifactsFolder) + "progress-window.bmp");

  std::future<DWORD_PTR> mayEndSession;
  switch (GetParam().by) {
    case StopBy::CancelButton:
      Click(ControlById(progress, swivexui::kCancelButton));
      break;
    case StopBy::EscapeKey:
      BringToFront(progress);
      PressChord({VK_ESCAPE});
      break;
    case StopBy::ClosingTheMainWindow:
      PostClose(app.Window());
      break;
    case StopBy::EndingTheSession:
      mayEndSession = std::async(std::launch::async, [window = app.Window()] {
        DWORD_PTR mayEnd = 0;
        ::SendMessageTimeoutA(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL,
                              static_cast<UINT>(kDefaultTimeout.count()), &mayEnd);
        return mayEnd;
      });
      break;
  }
  WaitUntil([&] { return !IsEnabled(ControlById(progress, swivexui::kCancelButton)); },
            "the cancel to be taken");
  if (GetParam().by == StopBy::EndingTheSession) {
    EXPECT_NE(mayEndSession.wait_for(std::chrono::seconds(0)), std::future_status::ready)
        << "Windows heard the answer before the conversion had stopped";
  } else {
    WaitUntilHandled(app.Window());
  }
  const auto resumed = std::chrono::steady_clock::now();
  stalled.Resume();

  if (GetParam().by == StopBy::EndingTheSession) {
    EXPECT_EQ(mayEndSession.get(), static_cast<DWORD_PTR>(TRUE));
    // As Windows heard the answer: the session may end the program any time now.
    EXPECT_EQ(ReadBytes(target), oldTarget);
    for (const std::string& name : NamesIn(shm_->Path().string()))
      EXPECT_FALSE(IsScratchName(name)) << name;
    ::PostMessageA(app.Window(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    EXPECT_EQ(app.Process().WaitForExit(), 0u);
  } else if (GetParam().by == StopBy::ClosingTheMainWindow) {
    EXPECT_EQ(app.Process().WaitForExit(), 0u);
  } else {
    auto message = app.WaitForTitledDialog();
    EXPECT_EQ(message.Text(), swivexui::kCancelled);
    EXPECT_FALSE(message.ShowsStopIcon());
    EXPECT_FALSE(::IsWindowVisible(progress));
    message.Press(IDOK);
    WaitUntil([&] { return IsEnabled(app.Window()); }, "the main window to be enabled again");
  }
  const auto stopped = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - resumed);
  std::cout << GetParam().name << ": stopped " << stopped.count()
            << " ms after the conversion's thread went on\n";
  RecordProperty("stop_ms", static_cast<int>(stopped.count()));

  EXPECT_EQ(ReadBytes(target), oldTarget);
  for (const std::string& name : NamesIn(shm_->Path().string()))
    EXPECT_FALSE(IsScratchName(name)) << name;
}

INSTANTIATE_TEST_SUITE_P(
    Ways, LongConversionTest,
    ::testing::Values(StopWay{"CancelButton", StopBy::CancelButton},
                      StopWay{"EscapeKey", StopBy::EscapeKey},
                      StopWay{"ClosingTheMainWindow", StopBy::ClosingTheMainWindow},
                      StopWay{"EndingTheSession", StopBy::EndingTheSession}),
    [](const ::testing::TestParamInfo<StopWay>& way) { return std::string(way.param.name); });

}  // namespace
}  // namespace swivex::e2e
