// An open-file dialog that fails is not a cancel: the error box says what happened, and nothing
// is converted or installed.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>

#include "tests/e2e/SwivexApp.h"
#include "tests/e2e/driver/Controls.h"
#include "tests/support/TempFolder.h"

namespace swivex::e2e {
namespace {

constexpr char kNameTooLong[] =
    "The chosen file name is too long. A name of at most 259 characters, folders included, can "
    "be opened.";

std::string SystemFile(const std::string& name) {
  char folder[MAX_PATH] = {};
  ::GetSystemDirectoryA(folder, sizeof folder);
  return std::string(folder) + "\\" + name;
}

class DialogFailureTest : public ::testing::TestWithParam<Command> {
 protected:
  swivex::testing::TempFolder work_;
  SwivexApp app_;
};

TEST_P(DialogFailureTest, ANameLongerThanTheBufferIsReportedAndNothingHappens) {
  std::filesystem::remove(SystemFile("Glowdrift.scr"));
  const std::string extension = GetParam().id == swivexui::kButton2 ? ".exe" : ".swf";
  // A full path of exactly MAX_PATH characters: one more than the buffer holds with its NUL.
  const std::string folder = work_ / "";
  const std::string name =
      folder + std::string(MAX_PATH - folder.size() - extension.size(), 'n') + extension;
  ASSERT_EQ(name.size(), std::size_t{MAX_PATH});

  auto dialog = app_.OpenDialogOf(GetParam());
  dialog.TypeFileName(name);
  dialog.Confirm();
  auto box = app_.WaitForTitledDialog();
  EXPECT_EQ(box.Text(), kNameTooLong);
  EXPECT_TRUE(box.ShowsStopIcon());
  box.Press(IDOK);

  WaitUntil([&] { return IsEnabled(app_.Window()); }, "the main window to be enabled again");
  EXPECT_EQ(app_.Source(), "");
  EXPECT_EQ(app_.Target(), "");
  EXPECT_FALSE(app_.GoEnabled());
  EXPECT_TRUE(std::filesystem::is_empty(work_.Path())) << "nothing was converted";
  EXPECT_FALSE(std::filesystem::exists(SystemFile("Glowdrift.scr"))) << "nothing was installed";
}

INSTANTIATE_TEST_SUITE_P(EveryCommand, DialogFailureTest,
                         ::testing::Values(kSwfToExeButton, kExeToSwfMenu, kScreenSaverButton),
                         [](const auto& tested) { return std::string(tested.param.name); });

}  // namespace
}  // namespace swivex::e2e
