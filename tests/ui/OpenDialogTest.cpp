#include <gtest/gtest.h>

#include <fstream>

#include "tests/support/TempFolder.h"
#include "tests/ui/DialogScript.h"
#include "tests/ui/TestWindow.h"
#include "ui/OpenDialog.h"

namespace swivex::testing {
namespace {

constexpr int kFileNameField = 0x47c;  // cmb13 of the explorer-style open-file dialog
constexpr char kSwfFilter[] = "SWF file (*.swf)\0*.swf\0";

DialogScript::Step Choose(const std::string& path) {
  return [path](HWND dialog) {
    ::SetDlgItemTextA(dialog, kFileNameField, path.c_str());
    Press(dialog, IDOK);
    return true;
  };
}

TEST(OpenDialog, OpensCentredAcrossTheActiveWindowsMonitorAThirdOfTheWayDown) {
  TestWindow owner("Owner", 700, 600);
  OpenDialog dialog(kSwfFilter);
  RECT frame{};
  HWND dialogOwner = nullptr;
  bool ownerEnabled = true;
  DialogScript script({[&](HWND shown) {
    ::GetWindowRect(shown, &frame);
    dialogOwner = ::GetWindow(shown, GW_OWNER);
    ownerEnabled = ::IsWindowEnabled(owner.Handle());
    Press(shown, IDCANCEL);
    return true;
  }});
  EXPECT_FALSE(dialog.Execute(owner.Handle()));
  ASSERT_TRUE(script.Finished());
  EXPECT_EQ(dialogOwner, owner.Handle());
  EXPECT_FALSE(ownerEnabled);

  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  ::GetMonitorInfoA(::MonitorFromWindow(owner.Handle(), MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& area = monitor.rcMonitor;
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  EXPECT_EQ(frame.left, area.left + (area.right - area.left - width) / 2);
  EXPECT_EQ(frame.top, area.top + (area.bottom - area.top - height) / 3);
}

TEST(OpenDialog, RemembersTheLastPickAndOffersItAgain) {
  TempFolder folder;
  std::ofstream(folder.Path() / "first.swf") << "movie";
  TestWindow owner("Owner", 100, 100);
  OpenDialog dialog(kSwfFilter);
  EXPECT_EQ(dialog.FileName(), "");

  {
    DialogScript script({Choose(folder / "first.swf")});
    EXPECT_TRUE(dialog.Execute(owner.Handle()));
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(dialog.FileName(), folder / "first.swf");
  }
  {
    std::string offered;
    DialogScript script({[&](HWND shown) {
      offered = ChildText(shown, kFileNameField);
      Press(shown, IDCANCEL);
      return true;
    }});
    EXPECT_FALSE(dialog.Execute(owner.Handle()));
    EXPECT_TRUE(script.Finished());
    EXPECT_NE(offered.find("first.swf"), std::string::npos) << offered;
    EXPECT_EQ(dialog.FileName(), folder / "first.swf");  // cancelling keeps the pick
  }
  {
    // A typed name of a missing file comes back as typed, made full, without an extension.
    DialogScript script({Choose(folder / "second")});
    EXPECT_TRUE(dialog.Execute(owner.Handle()));
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(dialog.FileName(), folder / "second");
  }
}

}  // namespace
}  // namespace swivex::testing
