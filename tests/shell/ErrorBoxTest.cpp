#include <gtest/gtest.h>

#include <stdexcept>

#include "common/Exceptions.h"
#include "platform/SystemFiles.h"
#include "shell/Application.h"
#include "shell/ErrorBoundary.h"
#include "shell/ErrorBox.h"
#include "tests/ui/DialogScript.h"
#include "tests/ui/TestWindow.h"

namespace swivex::testing {
namespace {

constexpr int kMessageBoxText = 0xFFFF;
constexpr int kMessageBoxIcon = 0x440;

class ErrorBoxTest : public ::testing::Test {
 protected:
  // As the program sets them up at its start.
  void SetUp() override {
    SetMainWindow(owner.Handle());
    SetErrorBoxLeadByteTest(SystemFiles().Syntax().isLeadByte);
  }
  void TearDown() override { SetMainWindow(nullptr); }

  TestWindow owner{"Owner", 50, 50};
};

struct Box {
  std::string caption;
  std::string text;
  HWND owner = nullptr;
  bool stopIcon = false;
  bool okOnly = false;
};

// Runs a handler that fails inside the error boundary and reads the box that it shows.
template <typename Handler>
Box BoxShownFor(Handler handler) {
  Box box;
  DialogScript script({[&](HWND dialog) {
    box.caption = WindowCaption(dialog);
    box.text = ChildText(dialog, kMessageBoxText);
    box.owner = ::GetWindow(dialog, GW_OWNER);
    const auto icon =
        reinterpret_cast<HICON>(::SendDlgItemMessageA(dialog, kMessageBoxIcon, STM_GETICON, 0, 0));
    box.stopIcon = icon != nullptr && icon == ::LoadIconA(nullptr, IDI_HAND);
    box.okOnly = ::GetDlgItem(dialog, IDOK) != nullptr && ::GetDlgItem(dialog, IDCANCEL) == nullptr;
    Press(dialog, IDOK);
    return true;
  }});
  RunGuarded(handler);
  EXPECT_TRUE(script.Finished());
  return box;
}

TEST_F(ErrorBoxTest, ShowsTheMessageWithAClosingPeriodWhereItLacksOne) {
  struct Case {
    std::function<void()> handler;
    const char* shown;
  };
  const Case cases[] = {
      {[] { throw EReadError("Stream read error"); }, "Stream read error."},
      {[] { throw ERegistryException("Failed to set data for 'SCRNSAVE.EXE'"); },
       "Failed to set data for 'SCRNSAVE.EXE'"},
      {[] { throw EFOpenError("Cannot open file \"C:\\m.swf\". File not found"); },
       "Cannot open file \"C:\\m.swf\". File not found."},
      {[] { throw Exception("Cannot open clipboard"); }, "Cannot open clipboard."},
      {[] { throw std::runtime_error("not one of ours"); }, "not one of ours."},
  };
  for (const Case& c : cases) {
    const Box box = BoxShownFor(c.handler);
    EXPECT_EQ(box.text, c.shown);
    EXPECT_EQ(box.caption, ApplicationTitle());
    EXPECT_EQ(box.owner, owner.Handle());
    EXPECT_TRUE(box.stopIcon) << c.shown;
    EXPECT_TRUE(box.okOnly) << c.shown;
  }
}

TEST_F(ErrorBoxTest, CaptionFollowsTheApplicationTitle) {
  SetApplicationTitle("Renamed");
  const Box box = BoxShownFor([] { throw EWriteError("Stream write error"); });
  SetApplicationTitle("Swivex 1.0");
  EXPECT_EQ(box.caption, "Renamed");
}

TEST_F(ErrorBoxTest, DisablesTheOtherWindowsAndGivesActivationBack) {
  TestWindow other("Other", 400, 50);
  ASSERT_EQ(::GetActiveWindow(), other.Handle());
  bool ownerEnabled = true;
  bool otherEnabled = true;
  DialogScript script({[&](HWND dialog) {
    ownerEnabled = ::IsWindowEnabled(owner.Handle());
    otherEnabled = ::IsWindowEnabled(other.Handle());
    Press(dialog, IDOK);
    return true;
  }});
  bool ranOn = false;
  RunGuarded([&] {
    ranOn = true;
    throw EReadError("Stream read error");
  });
  ASSERT_TRUE(script.Finished());
  EXPECT_TRUE(ranOn);
  EXPECT_FALSE(ownerEnabled);
  EXPECT_FALSE(otherEnabled);
  EXPECT_TRUE(::IsWindowEnabled(owner.Handle()));
  EXPECT_TRUE(::IsWindowEnabled(other.Handle()));
  EXPECT_EQ(::GetActiveWindow(), other.Handle());
}

}  // namespace
}  // namespace swivex::testing
