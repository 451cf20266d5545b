// The screen-saver command as a user runs it. Its last step, the Display control panel, does
// not exist in Wine 8 (desk.cpl is missing, so nothing appears), so the tests check what the
// installer leaves in the system folder and the registry.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <optional>

#include "tests/e2e/E2eFiles.h"
#include "tests/e2e/SwivexApp.h"
#include "tests/e2e/driver/Controls.h"
#include "tests/e2e/driver/WindowList.h"
#include "tests/support/TempFolder.h"

namespace swivex::e2e {
namespace {

using swivex::testing::Exists;
using swivex::testing::ReadBytes;
using swivex::testing::WriteBytes;

std::string SystemFile(const std::string& name) {
  char folder[MAX_PATH] = {};
  ::GetSystemDirectoryA(folder, sizeof folder);
  return std::string(folder) + "\\" + name;
}

// HKCU\Control Panel\Desktop\SCRNSAVE.EXE, or nothing if the value does not exist.
std::optional<std::string> RegisteredScreenSaver() {
  char value[MAX_PATH] = {};
  DWORD size = sizeof value;
  if (::RegGetValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "SCRNSAVE.EXE", RRF_RT_REG_SZ,
                     nullptr, value, &size) != ERROR_SUCCESS)
    return std::nullopt;
  return std::string(value);
}

class ScreenSaverTest : public ::testing::Test {
 protected:
  // Runs the command, answers its dialog and waits until the installer has run.
  void Install(const Command& command, const std::optional<std::string>& movie) {
    auto dialog = app_.OpenDialogOf(command);
    if (movie) {
      dialog.TypeFileName(*movie);
      dialog.Confirm();
    } else {
      dialog.Cancel();
    }
    WaitUntilHandled(app_.Window());
  }

  void ExpectWindowUntouched() {
    EXPECT_TRUE(app_.VisibleDialogs().empty()) << "the installer shows no message";
    EXPECT_EQ(app_.Source(), "");
    EXPECT_EQ(app_.Target(), "");
    EXPECT_FALSE(app_.GoEnabled());
    EXPECT_TRUE(IsEnabled(app_.Window()));
  }

  swivex::testing::TempFolder work_;
  SwivexApp app_;
};

TEST_F(ScreenSaverTest, CancellingTheDialogStillInstallsTheModule) {
  std::filesystem::remove(SystemFile("Glowdrift.scr"));
  std::filesystem::remove(SystemFile("Glowdrift.swf"));
  const auto registeredBefore = RegisteredScreenSaver();

  Install(kScreenSaverButton, std::nullopt);
  EXPECT_EQ(ReadBytes(SystemFile("Glowdrift.scr")), ReadBytes(ProgramFile("Glowdrift.dll")));
  EXPECT_FALSE(Exists(SystemFile("Glowdrift.swf"))) << "no movie was chosen";
  // Wine gives Glowdrift.scr a hashed short name, never GLOWDR~1.SCR, so the module is not
  // registered.
  EXPECT_EQ(RegisteredScreenSaver(), registeredBefore);
  ExpectWindowUntouched();
}

TEST_F(ScreenSaverTest, AChosenMovieIsInstalledBesideTheModule) {
  const Bytes first = MovieBytes(3000, 21);
  const Bytes second = MovieBytes(1000, 22);
  WriteBytes(work_ / "first.swf", first);
  WriteBytes(work_ / "second.swf", second);

  Install(kScreenSaverMenu, work_ / "first.swf");
  EXPECT_EQ(ReadBytes(SystemFile("Glowdrift.swf")), first);
  EXPECT_EQ(ReadBytes(SystemFile("Glowdrift.scr")), ReadBytes(ProgramFile("Glowdrift.dll")));
  ExpectWindowUntouched();

  Install(kScreenSaverButton, work_ / "second.swf");
  EXPECT_EQ(ReadBytes(SystemFile("Glowdrift.swf")), second) << "a second movie replaces the first";

  Install(kScreenSaverButton, std::nullopt);
  EXPECT_EQ(ReadBytes(SystemFile("Glowdrift.swf")), second) << "cancelling keeps the movie";
  ExpectWindowUntouched();
}

// Changes the registry: runs in a prefix of its own.
using ScreenSaverAliasTest = ScreenSaverTest;

TEST_F(ScreenSaverAliasTest, TheModuleIsRegisteredUnderTheShortNameWhenAFileHoldsIt) {
  // Stands for the 8.3 alias that Windows would give Glowdrift.scr.
  const std::string alias = SystemFile("GLOWDR~1.SCR");
  WriteBytes(alias, Bytes{1, 2, 3});

  Install(kScreenSaverButton, std::nullopt);
  EXPECT_EQ(RegisteredScreenSaver(), alias);
  EXPECT_EQ(ReadBytes(SystemFile("Glowdrift.scr")), ReadBytes(ProgramFile("Glowdrift.dll")));
  ExpectWindowUntouched();
  std::filesystem::remove(alias);
}

}  // namespace
}  // namespace swivex::e2e
