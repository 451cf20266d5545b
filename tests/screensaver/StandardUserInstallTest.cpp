// The installation as a user without administrator rights meets it. The test's set-up
// (run-as-standard-user) starts this program as a user of its own, in a Wine prefix of that
// user's whose system folder the user may not write and which holds the stand-in desk.cpl.
// Everything else is the real system: the registry, the user's data folder, the control panel.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/SystemDesktop.h"
#include "platform/SystemRegistry.h"
#include "screensaver/InstallScreenSaver.h"
#include "tests/screensaver/ControlPanelWatch.h"
#include "tests/screensaver/DesktopKey.h"
#include "tests/screensaver/SettingChangeListener.h"
#include "tests/support/MovedProgramFiles.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFiles.h"
#include "winsupport/WindowsHandles.h"

namespace swivex::testing {
namespace {

std::string SystemFolder() {
  char folder[MAX_PATH] = {};
  ::GetSystemDirectoryA(folder, MAX_PATH);
  return std::string(folder) + "\\";
}

// %LOCALAPPDATA%\Swivex\, from the environment, which the installer does not read.
std::string UserFolder() {
  const char* data = std::getenv("LOCALAPPDATA");
  return std::string(data != nullptr ? data : "(LOCALAPPDATA is not set)") + "\\Swivex\\";
}

// The number by which the file system knows the file: it stays while the file is not replaced.
std::optional<std::uint64_t> FileIndexOf(const std::string& name) {
  const win::UniqueFile file(::CreateFileA(name.c_str(), 0,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  BY_HANDLE_FILE_INFORMATION information{};
  if (!file || !::GetFileInformationByHandle(file.Get(), &information)) return std::nullopt;
  return (std::uint64_t{information.nFileIndexHigh} << 32) | information.nFileIndexLow;
}

std::string LongNameOf(const std::string& name) {
  char longName[MAX_PATH] = {};
  const DWORD length = ::GetLongPathNameA(name.c_str(), longName, MAX_PATH);
  return length == 0 || length >= MAX_PATH ? std::string() : std::string(longName, length);
}

// Every folder and the file named in 8.3 form: "C:\USERS\FIRSTL~1\...\GLOW~UCV.SCR".
bool IsShortName(const std::string& name) {
  if (name.size() < 3 || name.compare(1, 2, ":\\") != 0) return false;
  std::size_t start = 3;
  while (start < name.size()) {
    std::size_t end = name.find('\\', start);
    if (end == std::string::npos) end = name.size();
    const std::string part = name.substr(start, end - start);
    const std::size_t dot = part.find('.');
    const std::size_t stem = dot == std::string::npos ? part.size() : dot;
    const std::size_t extension = dot == std::string::npos ? 0 : part.size() - dot - 1;
    if (stem == 0 || stem > 8 || extension > 3 || part.find(' ') != std::string::npos ||
        (dot != std::string::npos && part.find('.', dot + 1) != std::string::npos))
      return false;
    start = end + 1;
  }
  return true;
}

class StandardUserInstallTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(NoControlPanelRunsInTime());
    ForgetRecordedPages();
    std::filesystem::remove_all(UserFolder());
    desktopKey.Delete("SCRNSAVE.EXE");
    files.moduleFileName = programFolder / "Swivex.exe";
    module = RandomBytes(40000, 1);
    WriteBytes(programFolder / "Glowdrift.dll", module);
    ASSERT_TRUE(listener.Listening());
  }

  std::string PlantMovie(const std::string& name, const Bytes& movie) {
    WriteBytes(work / name, movie);
    return work / name;
  }
  void Install(const std::string& moviePath) {
    InstallScreenSaver(moviePath, files, registry, desktop);
  }

  TempFolder programFolder;
  TempFolder work;
  MovedProgramFiles files;
  SystemRegistry registry;
  SystemDesktop desktop;
  DesktopKey desktopKey;
  SettingChangeListener listener;
  Bytes module;
};

// What makes this user a standard user: without it the other tests would prove nothing.
TEST_F(StandardUserInstallTest, TheSystemFolderRefusesThisUsersFiles) {
  const std::string probe = SystemFolder() + "swivex-probe.tmp";
  win::UniqueFile file(::CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
  const DWORD error = file ? 0 : ::GetLastError();
  if (file) {
    file.Reset();
    ::DeleteFileA(probe.c_str());
  }
  EXPECT_EQ(error, DWORD{ERROR_ACCESS_DENIED});
}

TEST_F(StandardUserInstallTest, InstallsIntoTheUsersFolderAndRegistersTheModuleThere) {
  const Bytes movie = RandomBytes(100000, 2);

  Install(PlantMovie("intro.swf", movie));

  EXPECT_EQ(ReadBytes(UserFolder() + "Glowdrift.swf"), movie);
  EXPECT_EQ(ReadBytes(UserFolder() + "Glowdrift.scr"), module);
  EXPECT_EQ(NamesIn(UserFolder()), (std::vector<std::string>{"Glowdrift.scr", "Glowdrift.swf"}));
  EXPECT_FALSE(Exists(SystemFolder() + "Glowdrift.swf"));
  EXPECT_FALSE(Exists(SystemFolder() + "Glowdrift.scr"));
  const auto value = desktopKey.Read("SCRNSAVE.EXE");
  ASSERT_TRUE(value) << "SCRNSAVE.EXE is not set";
  ASSERT_FALSE(value->data.empty());
  const std::string registered(value->data.begin(), value->data.end() - 1);
  EXPECT_EQ(*value, Text(registered)) << "REG_SZ with its terminating NUL";
  EXPECT_TRUE(IsShortName(registered)) << registered;
  EXPECT_EQ(::lstrcmpiA(LongNameOf(registered).c_str(), (UserFolder() + "Glowdrift.scr").c_str()),
            0)
      << registered << " is " << LongNameOf(registered);
  EXPECT_EQ(listener.ScreenSaverChanges(), 1);
  EXPECT_EQ(PagesOnceTheControlPanelIsDone(), "1\n");
}

TEST_F(StandardUserInstallTest, InstallingAgainWritesNothing) {
  const std::string moviePath = PlantMovie("intro.swf", RandomBytes(70000, 3));
  Install(moviePath);
  ASSERT_EQ(PagesOnceTheControlPanelIsDone(), "1\n");
  ForgetRecordedPages();
  const auto value = desktopKey.Read("SCRNSAVE.EXE");
  const auto movieIndex = FileIndexOf(UserFolder() + "Glowdrift.swf");
  const auto moduleIndex = FileIndexOf(UserFolder() + "Glowdrift.scr");
  ASSERT_TRUE(value && movieIndex && moduleIndex);

  Install(moviePath);

  EXPECT_EQ(FileIndexOf(UserFolder() + "Glowdrift.swf"), movieIndex) << "the movie was replaced";
  EXPECT_EQ(FileIndexOf(UserFolder() + "Glowdrift.scr"), moduleIndex) << "the module was replaced";
  EXPECT_EQ(NamesIn(UserFolder()), (std::vector<std::string>{"Glowdrift.scr", "Glowdrift.swf"}));
  EXPECT_EQ(desktopKey.Read("SCRNSAVE.EXE"), value);
  EXPECT_EQ(listener.ScreenSaverChanges(), 1) << "announced by the first install alone";
  EXPECT_EQ(PagesOnceTheControlPanelIsDone(), "1\n");
}

}  // namespace
}  // namespace swivex::testing
