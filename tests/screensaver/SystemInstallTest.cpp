// The installation against the real system directory, registry and control panel of a Wine
// prefix of the test run's own: these tests write into system32 and HKCU. Only the program
// folder is moved, to a test folder that holds a stand-in module. Wine keeps no 8.3 names, so a
// file named GLOWDR~1.SCR is planted where a test needs the alias to exist. The Display control
// panel is the stand-in desk.cpl built beside this program, which records the page it is asked
// to open.
#include <gtest/gtest.h>
#include <windows.h>

#include <cctype>
#include <filesystem>
#include <optional>

#include "common/Exceptions.h"
#include "common/SystemErrorText.h"
#include "platform/SystemDesktop.h"
#include "platform/SystemFiles.h"
#include "platform/SystemRegistry.h"
#include "screensaver/InstallScreenSaver.h"
#include "tests/screensaver/ControlPanelWatch.h"
#include "tests/screensaver/DesktopKey.h"
#include "tests/screensaver/SettingChangeListener.h"
#include "tests/support/MovedProgramFiles.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFiles.h"
#include "winsupport/UniqueHandle.h"

namespace swivex::testing {
namespace {

std::string SystemFolder() {
  char folder[MAX_PATH] = {};
  ::GetSystemDirectoryA(folder, MAX_PATH);
  return std::string(folder) + "\\";
}

std::string Installed(const std::string& name) { return SystemFolder() + name; }
std::string Alias() { return Installed("GLOWDR~1.SCR"); }

Bytes BytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

// The stand-in Display control panel as built beside this program.
std::string BuiltDeskCpl() {
  const auto here = std::filesystem::path(SystemFiles().ModuleFileName().path).parent_path();
  return (here / "desk.cpl").string();
}

// A program file loaded into this process, mapped as the system maps a running program: as the
// Display control panel's preview holds the installed module.
struct LoadedModuleTraits {
  using Handle = HMODULE;
  static Handle Empty() noexcept { return nullptr; }
  static void Release(Handle module) noexcept { ::FreeLibrary(module); }
};
using LoadedModule = win::UniqueHandle<LoadedModuleTraits>;

class SystemInstallTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // The stand-in Display control panel goes where RunDLL32 finds desk.cpl.
    ASSERT_TRUE(::CopyFileA(BuiltDeskCpl().c_str(), Installed("desk.cpl").c_str(), FALSE))
        << BuiltDeskCpl();
  }

  void SetUp() override {
    ASSERT_TRUE(NoControlPanelRunsInTime());
    ForgetRecordedPages();
    for (const char* name : {"Glowdrift.swf", "Glowdrift.scr", "GLOWDR~1.SCR"})
      ::DeleteFileA(Installed(name).c_str());
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
  void PlantAliasFile() { WriteBytes(Alias(), BytesOf("alias")); }
  void Install(const std::string& moviePath) {
    InstallScreenSaver(moviePath, files, registry, desktop);
  }

  TempFolder programFolder;
  TempFolder work;
  // The real system, running from a test folder that holds the module.
  MovedProgramFiles files;
  SystemRegistry registry;
  SystemDesktop desktop;
  DesktopKey desktopKey;
  SettingChangeListener listener;
  Bytes module;
};

TEST_F(SystemInstallTest, FirstInstallCopiesRegistersAnnouncesAndOpensTheScreenSaverPage) {
  const Bytes movie = RandomBytes(100000, 2);
  PlantAliasFile();

  Install(PlantMovie("intro.swf", movie));

  EXPECT_EQ(ReadBytes(Installed("Glowdrift.swf")), movie);
  EXPECT_EQ(ReadBytes(Installed("Glowdrift.scr")), module);
  EXPECT_EQ(desktopKey.Read("SCRNSAVE.EXE"), Text(Alias())) << "REG_SZ with its terminating NUL";
  EXPECT_EQ(listener.ScreenSaverChanges(), 1);
  EXPECT_EQ(PagesOnceTheControlPanelIsDone(), "1\n");
}

TEST_F(SystemInstallTest, WithoutAFileUnderTheAliasTheRegistryIsLeftAlone) {
  const Bytes movie = RandomBytes(10, 3);

  Install(PlantMovie("m.swf", movie));

  EXPECT_EQ(ReadBytes(Installed("Glowdrift.swf")), movie);
  EXPECT_EQ(ReadBytes(Installed("Glowdrift.scr")), module);
  EXPECT_EQ(desktopKey.Read("SCRNSAVE.EXE"), std::nullopt);
  EXPECT_EQ(listener.ScreenSaverChanges(), 0);
  EXPECT_EQ(PagesOnceTheControlPanelIsDone(), "1\n");
}

TEST_F(SystemInstallTest, SecondInstallReplacesBothCopies) {
  PlantAliasFile();
  Install(PlantMovie("first.swf", RandomBytes(200000, 4)));
  EXPECT_EQ(PagesOnceTheControlPanelIsDone(), "1\n");
  ForgetRecordedPages();

  module = RandomBytes(7, 5);
  WriteBytes(programFolder / "Glowdrift.dll", module);
  const Bytes movie = RandomBytes(9, 6);
  Install(PlantMovie("second.swf", movie));

  EXPECT_EQ(ReadBytes(Installed("Glowdrift.swf")), movie);
  EXPECT_EQ(ReadBytes(Installed("Glowdrift.scr")), module);
  EXPECT_EQ(listener.ScreenSaverChanges(), 1) << "registered once, by the first install";
  EXPECT_EQ(PagesOnceTheControlPanelIsDone(), "1\n");
}

// A running preview holds the installed module, which then cannot be replaced, not even by
// itself; an install that brings the same module leaves it in place.
TEST_F(SystemInstallTest, ModuleHeldByARunningPreviewIsLeftInPlaceWhenUnchanged) {
  module = ReadBytes(BuiltDeskCpl());  // a program image, which the system can map
  WriteBytes(programFolder / "Glowdrift.dll", module);
  Install(PlantMovie("first.swf", RandomBytes(100, 10)));
  EXPECT_EQ(PagesOnceTheControlPanelIsDone(), "1\n");
  ForgetRecordedPages();
  const LoadedModule preview(::LoadLibraryA(Installed("Glowdrift.scr").c_str()));
  ASSERT_TRUE(preview) << ::GetLastError();

  const Bytes movie = RandomBytes(200, 11);
  EXPECT_NO_THROW(Install(PlantMovie("second.swf", movie)));

  EXPECT_EQ(ReadBytes(Installed("Glowdrift.swf")), movie);
  EXPECT_EQ(ReadBytes(Installed("Glowdrift.scr")), module);
  EXPECT_EQ(PagesOnceTheControlPanelIsDone(), "1\n");
  ForgetRecordedPages();

  // A changed module still cannot take the held one's place: the system's refusal stands.
  WriteBytes(programFolder / "Glowdrift.dll", RandomBytes(300, 12));
  try {
    Install("");
    ADD_FAILURE() << "no error raised";
  } catch (const EFCreateError& error) {
    EXPECT_EQ(error.Message(), "Cannot copy file \"" + (programFolder / "Glowdrift.dll") +
                                   "\" to \"" + Installed("Glowdrift.scr") + "\". " +
                                   SystemErrorText(ERROR_ACCESS_DENIED, files));
  }
  EXPECT_EQ(ReadBytes(Installed("Glowdrift.scr")), module);
  EXPECT_EQ(PagesOnceNoControlPanelRuns(), "");
}

TEST_F(SystemInstallTest, AliasAlreadyRegisteredInAnotherCaseIsLeftAsItIs) {
  PlantAliasFile();
  std::string lowerCase = Alias();
  for (char& c : lowerCase) c = static_cast<char>(::tolower(static_cast<unsigned char>(c)));
  desktopKey.Write("SCRNSAVE.EXE", Text(lowerCase));
  const Bytes movie = RandomBytes(10, 7);

  Install(PlantMovie("m.swf", movie));

  EXPECT_EQ(desktopKey.Read("SCRNSAVE.EXE"), Text(lowerCase));
  EXPECT_EQ(listener.ScreenSaverChanges(), 0);
  EXPECT_EQ(ReadBytes(Installed("Glowdrift.swf")), movie);
  EXPECT_EQ(ReadBytes(Installed("Glowdrift.scr")), module);
  EXPECT_EQ(PagesOnceTheControlPanelIsDone(), "1\n");
}

TEST_F(SystemInstallTest, EmptyMoviePathKeepsTheInstalledMovie) {
  const Bytes movie = RandomBytes(3000, 8);
  Install(PlantMovie("m.swf", movie));
  EXPECT_EQ(PagesOnceTheControlPanelIsDone(), "1\n");
  ForgetRecordedPages();
  PlantAliasFile();

  Install("");

  EXPECT_EQ(ReadBytes(Installed("Glowdrift.swf")), movie);
  EXPECT_EQ(ReadBytes(Installed("Glowdrift.scr")), module);
  EXPECT_EQ(desktopKey.Read("SCRNSAVE.EXE"), Text(Alias()));
  EXPECT_EQ(PagesOnceTheControlPanelIsDone(), "1\n");
}

TEST_F(SystemInstallTest, DwordValueRaisesAndTheControlPanelStaysClosed) {
  PlantAliasFile();
  const RawValue dword{REG_DWORD, {1, 0, 0, 0}};
  desktopKey.Write("SCRNSAVE.EXE", dword);

  try {
    Install(PlantMovie("m.swf", RandomBytes(10, 9)));
    ADD_FAILURE() << "no error raised";
  } catch (const ERegistryException& error) {
    EXPECT_EQ(error.Message(), "Invalid data type for 'SCRNSAVE.EXE'");
  }

  EXPECT_EQ(desktopKey.Read("SCRNSAVE.EXE"), dword);
  EXPECT_EQ(listener.ScreenSaverChanges(), 0);
  EXPECT_EQ(PagesOnceNoControlPanelRuns(), "");
}

TEST_F(SystemInstallTest, ExpandableValueIsComparedUnexpanded) {
  PlantAliasFile();
  const std::string unexpanded = "%SystemRoot%\\system32\\GLOWDR~1.SCR";
  char expanded[MAX_PATH] = {};
  ::ExpandEnvironmentStringsA(unexpanded.c_str(), expanded, MAX_PATH);
  ASSERT_EQ(::lstrcmpiA(expanded, Alias().c_str()), 0) << "expanded, it would name the alias";
  desktopKey.Write("SCRNSAVE.EXE", Text(unexpanded, REG_EXPAND_SZ));

  Install("");

  EXPECT_EQ(desktopKey.Read("SCRNSAVE.EXE"), Text(Alias()));
  EXPECT_EQ(PagesOnceTheControlPanelIsDone(), "1\n");
}

TEST_F(SystemInstallTest, RegisteringChangesNoOtherDesktopSetting) {
  desktopKey.Write("Wallpaper", Text("C:\\windows\\swivex-planted.bmp"));
  // Absent, as in a fresh profile, so that an announcement that rewrote it would show.
  desktopKey.Delete("ScreenSaveActive");
  char wallpaperBefore[MAX_PATH] = {};
  ::SystemParametersInfoA(SPI_GETDESKWALLPAPER, MAX_PATH, wallpaperBefore, 0);
  const auto before = desktopKey.All();
  PlantAliasFile();

  Install("");

  EXPECT_EQ(listener.ScreenSaverChanges(), 1) << "the change was announced";
  auto after = desktopKey.All();
  EXPECT_EQ(after["SCRNSAVE.EXE"], Text(Alias()));
  after.erase("SCRNSAVE.EXE");
  EXPECT_EQ(after, before);
  EXPECT_EQ(desktopKey.Read("Wallpaper"), Text("C:\\windows\\swivex-planted.bmp"));
  char wallpaperAfter[MAX_PATH] = {};
  ::SystemParametersInfoA(SPI_GETDESKWALLPAPER, MAX_PATH, wallpaperAfter, 0);
  EXPECT_STREQ(wallpaperAfter, wallpaperBefore);
  EXPECT_EQ(PagesOnceTheControlPanelIsDone(), "1\n");
}

TEST_F(SystemInstallTest, MissingModuleRaisesAndTouchesNothingElse) {
  PlantAliasFile();
  ::DeleteFileA((programFolder / "Glowdrift.dll").c_str());

  try {
    Install("");
    ADD_FAILURE() << "no error raised";
  } catch (const EFCreateError& error) {
    EXPECT_EQ(error.Message(), "Cannot copy file \"" + (programFolder / "Glowdrift.dll") +
                                   "\" to \"" + Installed("Glowdrift.scr") + "\". " +
                                   SystemErrorText(ERROR_FILE_NOT_FOUND, files));
  }

  EXPECT_FALSE(Exists(Installed("Glowdrift.scr")));
  EXPECT_EQ(desktopKey.Read("SCRNSAVE.EXE"), std::nullopt);
  EXPECT_EQ(listener.ScreenSaverChanges(), 0);
  EXPECT_EQ(PagesOnceNoControlPanelRuns(), "");
  WIN32_FIND_DATAA found;
  const HANDLE scratch = ::FindFirstFileA(Installed("swx*.tmp").c_str(), &found);
  EXPECT_EQ(scratch, INVALID_HANDLE_VALUE) << "no scratch file is left in the system directory";
  if (scratch != INVALID_HANDLE_VALUE) ::FindClose(scratch);
}

}  // namespace
}  // namespace swivex::testing
