// How the program ends, and what a projector that it built does on a system without a Flash
// player.
#include <gtest/gtest.h>
#include <windows.h>

#include "tests/e2e/E2eFiles.h"
#include "tests/e2e/SwivexApp.h"
#include "tests/e2e/driver/Controls.h"
#include "tests/e2e/driver/Keyboard.h"
#include "tests/e2e/driver/WindowList.h"
#include "tests/support/AsciiText.h"
#include "tests/support/TempFolder.h"

namespace swivex::e2e {
namespace {

// The control that has the keyboard focus in the window's thread.
HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info);
  return info.hwndFocus;
}

struct Ending {
  const char* name;
  void (*end)(SwivexApp& app);
};

const Ending kEndings[] = {
    {"CtrlQ",
     [](SwivexApp& app) {
       BringToFront(app.Window());
       const HWND focus = FocusOf(app.Window());
       EXPECT_EQ(ClassNameOf(focus), "Button") << "the keys go to a button of the window";
       EXPECT_EQ(::GetParent(focus), app.Window());
       PressChord({VK_CONTROL, 'Q'});
     }},
    {"Exit1", [](SwivexApp& app) { PostCommand(app.Window(), swivexui::kExit1); }},
    {"CloseButton",
     [](SwivexApp& app) { ::PostMessageA(app.Window(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
};

std::string EndingName(const ::testing::TestParamInfo<Ending>& tested) { return tested.param.name; }

class EndingTest : public ::testing::TestWithParam<Ending> {};

TEST_P(EndingTest, EndsTheProgramAtOnce) {
  SwivexApp app;
  GetParam().end(app);
  EXPECT_EQ(app.Process().WaitForExit(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Ways, EndingTest, ::testing::ValuesIn(kEndings), EndingName);

TEST(ProjectorRunTest, SaysThatNoProgramIsRegisteredForMovies) {
  swivex::testing::TempFolder work;
  swivex::testing::WriteBytes(work / "show.swf", MovieBytes(4000, 23));
  {
    SwivexApp app;
    app.Pick(kSwfToExeButton, work / "show.swf");
    app.WaitForTitledDialog().Press(IDOK);
    PostCommand(app.Window(), swivexui::kExit1);
    app.Process().WaitForExit();
  }

  RunningProgram projector(work / "show.exe", work.Path().string());
  auto message = TextDialog::WaitForProgram("\\show.exe");
  EXPECT_EQ(message.Caption(), "Swivex projector");
  const std::string text = swivex::testing::AsciiLower(message.Text());
  EXPECT_NE(text.find("no program is registered"), std::string::npos) << message.Text();
  EXPECT_NE(text.find(".swf"), std::string::npos) << message.Text();
  message.Press(IDOK);
  projector.WaitForExit();
}

}  // namespace
}  // namespace swivex::e2e
