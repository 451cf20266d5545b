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

// A character that fills a name up to a length in UTF-16 units, the measure of the limit. Swivex
// speaks UTF-8, where each takes more bytes than units: up to three per unit.
struct Filler {
  const char* name;
  const char* character;  // UTF-8
  std::size_t units;
};

constexpr Filler kFillers[] = {
    {"ASCII", "n", 1}, {"Latin", "é", 1}, {"Japanese", "さ", 1}, {"Emoji", "😀", 2}};

// `folder` (ASCII), then the filler, then "n" where a unit is left over, then `extension`: a
// full path of exactly `units` UTF-16 units.
std::string NameOfLength(const std::string& folder, const Filler& filler, std::size_t units,
                         const std::string& extension) {
  const std::size_t free = units - folder.size() - extension.size();
  std::string name = folder;
  for (std::size_t i = 0; i < free / filler.units; ++i) name += filler.character;
  return name + std::string(free % filler.units, 'n') + extension;
}

class DialogFailureTest : public ::testing::TestWithParam<Command> {
 protected:
  swivex::testing::TempFolder work_;
  SwivexApp app_;
};

TEST_P(DialogFailureTest, ANameLongerThanTheBufferIsReportedAndNothingHappens) {
  std::filesystem::remove(SystemFile("Glowdrift.scr"));
  const std::string extension = GetParam().id == swivexui::kButton2 ? ".exe" : ".swf";
  for (const Filler& filler : kFillers) {
    SCOPED_TRACE(filler.name);
    // A full path of exactly MAX_PATH units: one more than a path may have with its NUL.
    auto dialog = app_.OpenDialogOf(GetParam());
    dialog.TypeFileName(NameOfLength(work_ / "", filler, MAX_PATH, extension));
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
}

// One unit less is a name that the program takes whole, however many bytes it has.
using LongestNameTest = DialogFailureTest;

TEST_F(LongestNameTest, IsTakenWholeInEveryScript) {
  for (const Filler& filler : kFillers) {
    SCOPED_TRACE(filler.name);
    const std::string name = NameOfLength(work_ / "", filler, MAX_PATH - 1, ".swf");
    app_.Pick(kSwfToExeButton, name);
    auto box = app_.WaitForTitledDialog();  // there is no such file
    EXPECT_EQ(box.Text().rfind("Cannot open file \"" + name + "\". ", 0), 0u) << box.Text();
    box.Press(IDOK);
    WaitUntil([&] { return IsEnabled(app_.Window()); }, "the main window to be enabled again");
    EXPECT_EQ(app_.Source(), name);
  }
}

INSTANTIATE_TEST_SUITE_P(EveryCommand, DialogFailureTest,
                         ::testing::Values(kSwfToExeButton, kExeToSwfMenu, kScreenSaverButton),
                         [](const auto& tested) { return std::string(tested.param.name); });

}  // namespace
}  // namespace swivex::e2e
