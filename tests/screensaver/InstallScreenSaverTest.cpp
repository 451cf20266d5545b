#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <functional>
#include <optional>
#include <set>

#include "common/Exceptions.h"
#include "common/SystemErrorText.h"
#include "screensaver/InstallScreenSaver.h"
#include "tests/screensaver/InstallerDesktop.h"
#include "tests/screensaver/InstallerRegistry.h"
#include "tests/support/AsciiText.h"
#include "tests/support/MovedProgramFiles.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFiles.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#endif

namespace swivex::testing {
namespace {

using Started = std::vector<std::pair<std::string, int>>;
const Started kScreenSaverPageOpened = {{"RunDLL32.exe Shell32.dll,Control_RunDLL desk.cpl,,1", 1}};

Bytes BytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

// A folder whose name is taken byte for byte, in the ANSI code page on Windows.
void MakeFolder(const std::string& name) {
#ifdef _WIN32
  ASSERT_TRUE(::CreateDirectoryA(name.c_str(), nullptr)) << name;
#else
  ASSERT_EQ(::mkdir(name.c_str(), 0777), 0) << name;
#endif
}

#ifndef _WIN32
// A file last written at a local date and time.
void PlantWrittenAt(const std::string& name, int year, int month, int day, int hour, int minute,
                    int second) {
  WriteBytes(name, BytesOf("dated"));
  std::tm local{};
  local.tm_year = year - 1900;
  local.tm_mon = month - 1;
  local.tm_mday = day;
  local.tm_hour = hour;
  local.tm_min = minute;
  local.tm_sec = second;
  local.tm_isdst = -1;
  const auto written = std::chrono::system_clock::from_time_t(std::mktime(&local));
  std::filesystem::last_write_time(name, std::chrono::file_clock::from_sys(written));
}
#endif

class InstallScreenSaverTest : public ::testing::Test {
 protected:
  InstallScreenSaverTest() {
    files.moduleFileName = programFolder / "Swivex.exe";
    desktop.systemDirectory = system.Path().string();
    desktop.localAppData = userData.Path().string();
  }

  void TearDown() override {
    EXPECT_TRUE(registry.openKeys.empty()) << "the key is closed on every way out";
    EXPECT_EQ(registry.misuse, std::vector<std::string>{});
  }

  void Install(const std::string& moviePath) {
    InstallScreenSaver(moviePath, files, registry, desktop);
  }

  std::string Installed(const std::string& name) const { return system / name; }
  // In the user's own folder, %LOCALAPPDATA%\Swivex.
  std::string UserFolder() const { return userData / "Swivex"; }
  std::string InstalledForUser(const std::string& name) const {
    return (userData.Path() / "Swivex" / name).string();
  }
  std::string Alias() const { return Installed("GLOWDR~1.SCR"); }
  std::string ModulePath() const { return programFolder / "Glowdrift.dll"; }

  Bytes PlantModule(std::size_t size, std::uint32_t seed) {
    Bytes module = RandomBytes(size, seed);
    WriteBytes(ModulePath(), module);
    return module;
  }
  // A movie in the user's folder; returns its path.
  std::string PlantMovie(const std::string& name, const Bytes& movie) {
    WriteBytes(work / name, movie);
    return work / name;
  }
  // Stands for the 8.3 alias that Windows gives Glowdrift.scr; neither Wine nor POSIX makes one.
  void PlantAliasFile() { WriteBytes(Alias(), BytesOf("alias")); }

  std::optional<RegistryValue> ScreenSaverValue() const {
    const auto found = registry.desktopValues.find("SCRNSAVE.EXE");
    if (found == registry.desktopValues.end()) return std::nullopt;
    return found->second;
  }

  std::set<std::string> SystemFolderNames() const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(system.Path()))
      names.insert(entry.path().filename().string());
    return names;
  }

  // The system folder refuses new files, as it does for a user without administrator rights.
  void RefuseSystemFolder(ErrorCode error = errors::kAccessDenied) {
    const std::string folder = system.Path().string() + files.Syntax().separator;
    desktop.scratchFileError = [folder, error](const std::string& scratchFolder) {
      return scratchFolder == folder ? error : 0;
    };
  }

  TempFolder system;
  TempFolder userData;
  TempFolder programFolder;
  TempFolder work;
  MovedProgramFiles files;
  InstallerRegistry registry;
  InstallerDesktop desktop;
};

TEST_F(InstallScreenSaverTest, FirstInstallCopiesBothFilesRegistersTheAliasAndOpensThePage) {
  const Bytes movie = RandomBytes(70000, 1);
  const Bytes module = PlantModule(30000, 2);
  PlantAliasFile();

  Install(PlantMovie("intro.swf", movie));

  EXPECT_EQ(ReadBytes(Installed("Glowdrift.swf")), movie);
  EXPECT_EQ(ReadBytes(Installed("Glowdrift.scr")), module);
  EXPECT_EQ(ScreenSaverValue(), StringValue(Alias()));
  EXPECT_EQ(desktop.announcements, 1);
  EXPECT_EQ(desktop.started, kScreenSaverPageOpened);
  EXPECT_EQ(SystemFolderNames(),
            (std::set<std::string>{"GLOWDR~1.SCR", "Glowdrift.scr", "Glowdrift.swf"}));
}

TEST_F(InstallScreenSaverTest, WithoutAFileUnderTheAliasTheRegistryIsLeftAlone) {
  const Bytes movie = RandomBytes(500, 3);
  const Bytes module = PlantModule(400, 4);
  registry.desktopValues["SCRNSAVE.EXE"] = StringValue("C:\\WINDOWS\\system32\\other.scr");

  Install(PlantMovie("m.swf", movie));

  EXPECT_EQ(ReadBytes(Installed("Glowdrift.swf")), movie);
  EXPECT_EQ(ReadBytes(Installed("Glowdrift.scr")), module);
  EXPECT_EQ(registry.keysOpened, 0);
  EXPECT_EQ(ScreenSaverValue(), StringValue("C:\\WINDOWS\\system32\\other.scr"));
  EXPECT_EQ(desktop.announcements, 0);
  EXPECT_EQ(desktop.started, kScreenSaverPageOpened);
}

TEST_F(InstallScreenSaverTest, OnlyAnExistingFileUnderTheAliasCounts) {
  struct Case {
    const char* name;
    std::function<void(const std::string& alias)> plant;
    bool registers;
  };
  const std::vector<Case> cases = {
      {"another file holding the alias",
       [](const std::string& alias) { WriteBytes(alias, BytesOf("someone else's")); }, true},
      {"a folder", [](const std::string& alias) { MakeFolder(alias); }, false},
      {"a file last written before 1980",
       [](const std::string& alias) {
         WriteBytes(alias, BytesOf("old"));
         using namespace std::chrono;
         const sys_seconds written = sys_days{year{1975} / June / 1};
         std::filesystem::last_write_time(alias, file_clock::from_sys(written));
       },
       false},
#ifndef _WIN32
      // Windows' DOS dates end with 2107 and begin with 1980, in local time.
      {"a file last written in the last second of 2107",
       [](const std::string& alias) { PlantWrittenAt(alias, 2107, 12, 31, 23, 59, 59); }, true},
      {"a file last written in the first second of 2108",
       [](const std::string& alias) { PlantWrittenAt(alias, 2108, 1, 1, 0, 0, 0); }, false},
      {"a file last written in the first second of 1980",
       [](const std::string& alias) { PlantWrittenAt(alias, 1980, 1, 1, 0, 0, 0); }, true},
      {"a file last written in the last second of 1979",
       [](const std::string& alias) { PlantWrittenAt(alias, 1979, 12, 31, 23, 59, 59); }, false},
#else
      {"a hidden system file",
       [](const std::string& alias) {
         WriteBytes(alias, BytesOf("hidden"));
         ::SetFileAttributesA(alias.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
       },
       true},
#endif
  };
  PlantModule(10, 5);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove_all(Alias());
    registry.desktopValues.clear();
    c.plant(Alias());

    Install("");

    if (c.registers) {
      EXPECT_EQ(ScreenSaverValue(), StringValue(Alias()));
    } else {
      EXPECT_EQ(ScreenSaverValue(), std::nullopt);
    }
  }
  EXPECT_EQ(desktop.started.size(), cases.size()) << "the page opens every time";
}

TEST_F(InstallScreenSaverTest, SecondInstallReplacesBothCopiesWhole) {
  PlantAliasFile();
  PlantModule(50000, 6);
  Install(PlantMovie("first.swf", RandomBytes(90000, 7)));

  const Bytes module = PlantModule(20, 8);
  const Bytes movie = RandomBytes(33, 9);
  Install(PlantMovie("second.swf", movie));

  EXPECT_EQ(ReadBytes(Installed("Glowdrift.swf")), movie);
  EXPECT_EQ(ReadBytes(Installed("Glowdrift.scr")), module);
  EXPECT_EQ(desktop.announcements, 1) << "the alias was registered by the first install";
  EXPECT_EQ(desktop.started, Started(2, kScreenSaverPageOpened[0]));
  EXPECT_EQ(SystemFolderNames(),
            (std::set<std::string>{"GLOWDR~1.SCR", "Glowdrift.scr", "Glowdrift.swf"}));
}

TEST_F(InstallScreenSaverTest, EmptyMoviePathKeepsTheInstalledMovieAndInstallsTheModule) {
  const Bytes movie = RandomBytes(1234, 10);
  PlantModule(100, 11);
  Install(PlantMovie("m.swf", movie));
  PlantAliasFile();
  const Bytes module = PlantModule(200, 12);

  Install("");

  EXPECT_EQ(ReadBytes(Installed("Glowdrift.swf")), movie);
  EXPECT_EQ(ReadBytes(Installed("Glowdrift.scr")), module);
  EXPECT_EQ(ScreenSaverValue(), StringValue(Alias()));
  EXPECT_EQ(desktop.started, Started(2, kScreenSaverPageOpened[0]));
}

TEST_F(InstallScreenSaverTest, ReinstallingTheInstalledMovieItselfKeepsIt) {
  const Bytes movie = RandomBytes(5000, 13);
  PlantModule(100, 14);
  Install(PlantMovie("m.swf", movie));

  Install(Installed("Glowdrift.swf"));

  EXPECT_EQ(ReadBytes(Installed("Glowdrift.swf")), movie);
  EXPECT_EQ(desktop.started.size(), 2u);
}

// Every outcome of reading and writing SCRNSAVE.EXE, with the files in place and the alias
// present.
TEST_F(InstallScreenSaverTest, RegistersTheAliasUnlessTheValueAlreadyNamesIt) {
  struct Case {
    const char* name;
    std::function<std::optional<RegistryValue>(const std::string& alias)> value;
    std::string error;  // empty: none
    bool writes = false;
    bool keyExists = true;
    ErrorCode infoError = 0;
    ErrorCode dataError = 0;
    ErrorCode setError = 0;
  };
  using Value = std::optional<RegistryValue>;
  const auto absent = [](const std::string&) { return Value(); };
  const std::string invalidType = "Invalid data type for 'SCRNSAVE.EXE'";
  const std::string getFailed = "Failed to get data for 'SCRNSAVE.EXE'";
  const std::string setFailed = "Failed to set data for 'SCRNSAVE.EXE'";
  const std::vector<Case> cases = {
      {"no value", absent, "", true},
      {"a value without data",
       [](auto&) {
         return Value(RegistryValue{kRegSz, {}});
       },
       "", true},
      {"empty text", [](auto&) { return Value(StringValue("")); }, "", true},
      {"another screen saver",
       [](auto&) { return Value(StringValue("C:\\WINDOWS\\system32\\ssmarque.scr")); }, "", true},
      {"the alias", [](auto& alias) { return Value(StringValue(alias)); }, "", false},
      {"the alias in lower case", [](auto& alias) { return Value(StringValue(AsciiLower(alias))); },
       "", false},
      {"the alias as REG_EXPAND_SZ",
       [](auto& alias) { return Value(StringValue(alias, kRegExpandSz)); }, "", false},
      {"REG_EXPAND_SZ is compared unexpanded",
       [](auto&) {
         return Value(StringValue("%SystemRoot%\\system32\\GLOWDR~1.SCR", kRegExpandSz));
       },
       "", true},
      {"data after the first NUL are ignored",
       [](auto& alias) {
         Bytes data = BytesOf(alias + '\0' + "left over");
         data.push_back(0);
         return Value(RegistryValue{kRegSz, data});
       },
       "", false},
      {"data without a terminating NUL",
       [](auto& alias) {
         return Value(RegistryValue{kRegSz, BytesOf(alias)});
       },
       "", false},
      {"the alias with more after it", [](auto& alias) { return Value(StringValue(alias + "x")); },
       "", true},
      {"REG_DWORD",
       [](auto&) {
         return Value(RegistryValue{kRegDword, {1, 0, 0, 0}});
       },
       invalidType},
      {"REG_BINARY holding the alias",
       [](auto& alias) { return Value(StringValue(alias, 3 /* REG_BINARY */)); }, invalidType},
      {"REG_MULTI_SZ holding the alias",
       [](auto& alias) {
         RegistryValue value = StringValue(alias, 7 /* REG_MULTI_SZ */);
         value.data.push_back(0);
         return Value(value);
       },
       invalidType},
      {"REG_DWORD without data counts as empty",
       [](auto&) {
         return Value(RegistryValue{kRegDword, {}});
       },
       "", true},
      {"a value that cannot be queried counts as empty",
       [](auto& alias) { return Value(StringValue(alias)); }, "", true, true,
       errors::kAccessDenied},
      {"data that cannot be read", [](auto&) { return Value(StringValue("C:\\other.scr")); },
       getFailed, false, true, 0, errors::kAccessDenied},
      {"unreadable data fail before their type is looked at",
       [](auto&) {
         return Value(RegistryValue{kRegDword, {1, 0, 0, 0}});
       },
       getFailed, false, true, 0, errors::kAccessDenied},
      {"a value that cannot be written", absent, setFailed, false, true, 0, 0,
       errors::kAccessDenied},
      {"a key that cannot be opened", absent, setFailed, false, false},
  };

  PlantAliasFile();
  PlantModule(100, 15);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    registry = InstallerRegistry();
    desktop = InstallerDesktop();
    desktop.systemDirectory = system.Path().string();
    registry.desktopKeyExists = c.keyExists;
    registry.queryInfoError = c.infoError;
    registry.queryDataError = c.dataError;
    registry.setError = c.setError;
    const Value before = c.value(Alias());
    if (before) registry.desktopValues["SCRNSAVE.EXE"] = *before;

    if (c.error.empty()) {
      EXPECT_NO_THROW(Install(""));
      EXPECT_EQ(desktop.started, kScreenSaverPageOpened);
    } else {
      try {
        Install("");
        ADD_FAILURE() << "no error raised";
      } catch (const ERegistryException& error) {
        EXPECT_EQ(error.Message(), c.error);
      }
      EXPECT_EQ(desktop.started, Started()) << "the page stays closed after a registry error";
    }
    EXPECT_EQ(ScreenSaverValue(), c.writes ? StringValue(Alias()) : before);
    EXPECT_EQ(desktop.announcements, c.writes ? 1 : 0);
    EXPECT_EQ(registry.keysOpened, c.keyExists ? 1 : 0);
    EXPECT_TRUE(registry.openKeys.empty()) << "the key is closed on every way out";
    EXPECT_EQ(registry.misuse, std::vector<std::string>{});
  }
}

// Letters other than ASCII ones keep their case: the value matches only if they are spelled as
// in the system directory.
TEST_F(InstallScreenSaverTest, ComparesTheValueIgnoringTheCaseOfAsciiLettersOnly) {
  // "Café" in code page 1252, joined by hand: std::filesystem would take the name for UTF-8.
  const std::string folder = system.Path().string() + files.Syntax().separator + "Caf\xE9";
  MakeFolder(folder);
  desktop.systemDirectory = folder;
  const std::string alias = folder + files.Syntax().separator + "GLOWDR~1.SCR";
  WriteBytes(alias, BytesOf("alias"));
  PlantModule(10, 16);

  std::string otherCase = AsciiLower(alias);
  otherCase[otherCase.find('\xE9')] = '\xC9';  // "É"
  for (const auto& [value, writes] :
       std::vector<std::pair<std::string, bool>>{{AsciiLower(alias), false}, {otherCase, true}}) {
    SCOPED_TRACE(value);
    desktop.announcements = 0;
    registry.desktopValues["SCRNSAVE.EXE"] = StringValue(value);
    Install("");
    EXPECT_EQ(ScreenSaverValue(), StringValue(writes ? alias : value));
    EXPECT_EQ(desktop.announcements, writes ? 1 : 0);
  }
}

TEST_F(InstallScreenSaverTest, FilesThatAlreadyHoldTheSameBytesAreNotCopiedAgain) {
  const Bytes movie = RandomBytes(70000, 30);
  const std::string moviePath = PlantMovie("m.swf", movie);
  const Bytes module = PlantModule(30000, 31);
  Install(moviePath);
  ASSERT_EQ(desktop.copies, 2);

  Install(moviePath);
  EXPECT_EQ(desktop.copies, 2) << "neither file copied again";

  Bytes changed = movie;
  changed.back() ^= 1;
  WriteBytes(moviePath, changed);
  Install(moviePath);
  EXPECT_EQ(desktop.copies, 3) << "only the movie, whose last byte differs";
  EXPECT_EQ(ReadBytes(Installed("Glowdrift.swf")), changed);
  EXPECT_EQ(ReadBytes(Installed("Glowdrift.scr")), module);
  EXPECT_EQ(desktop.started, Started(3, kScreenSaverPageOpened[0]));
}

// Where the system folder refuses new files (a user without administrator rights), both files
// go into %LOCALAPPDATA%\Swivex and the setting names the module there, in its short form where
// the system has one.
TEST_F(InstallScreenSaverTest, RefusedSystemFolderInstallsIntoTheUsersOwnFolder) {
  struct Case {
    const char* name;
    bool shortNameKnown;
  };
  const Bytes movie = RandomBytes(5000, 32);
  const Bytes module = PlantModule(3000, 33);
  PlantAliasFile();  // the alias rule is the system folder's alone
  RefuseSystemFolder();
  for (const Case& c : {Case{"with a short name", true}, Case{"without short names", false}}) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove_all(UserFolder());
    registry.desktopValues.clear();
    desktop.announcements = 0;
    desktop.started.clear();
    desktop.shortNames.clear();
    const std::string expectedValue =
        c.shortNameKnown ? "C:\\Users\\FIRSTL~1\\AppData\\Local\\Swivex\\GLOWDR~1.SCR"
                         : InstalledForUser("Glowdrift.scr");
    if (c.shortNameKnown) desktop.shortNames[InstalledForUser("Glowdrift.scr")] = expectedValue;

    Install(PlantMovie("m.swf", movie));

    EXPECT_EQ(ReadBytes(InstalledForUser("Glowdrift.swf")), movie);
    EXPECT_EQ(ReadBytes(InstalledForUser("Glowdrift.scr")), module);
    EXPECT_EQ(NamesIn(UserFolder()), (std::vector<std::string>{"Glowdrift.scr", "Glowdrift.swf"}));
    EXPECT_EQ(SystemFolderNames(), std::set<std::string>{"GLOWDR~1.SCR"});
    EXPECT_EQ(ScreenSaverValue(), StringValue(expectedValue));
    EXPECT_EQ(desktop.announcements, 1);
    EXPECT_EQ(desktop.started, kScreenSaverPageOpened);
  }
}

TEST_F(InstallScreenSaverTest, RepeatedInstallIntoTheUsersFolderWritesNothing) {
  const std::string moviePath = PlantMovie("m.swf", RandomBytes(5000, 34));
  PlantModule(3000, 35);
  RefuseSystemFolder();
  Install(moviePath);
  ASSERT_EQ(registry.valuesSet, 1);
  const int copies = desktop.copies;
  // The setting as Windows may have rewritten it, in other letters' case.
  registry.desktopValues["SCRNSAVE.EXE"] =
      StringValue(AsciiLower(InstalledForUser("Glowdrift.scr")));

  Install(moviePath);
  Install("");

  EXPECT_EQ(desktop.copies, copies);
  EXPECT_EQ(registry.valuesSet, 1);
  EXPECT_EQ(desktop.announcements, 1);
  EXPECT_EQ(desktop.started, Started(3, kScreenSaverPageOpened[0]));
}

TEST_F(InstallScreenSaverTest, ModuleRefusedAfterTheMovieSendsBothToTheUsersFolder) {
  const Bytes movie = RandomBytes(4000, 36);
  const Bytes module = PlantModule(2000, 37);
  const std::string systemFolder = system.Path().string() + files.Syntax().separator;
  int systemScratchFiles = 0;
  desktop.scratchFileError = [&](const std::string& folder) {
    if (folder != systemFolder) return ErrorCode{0};
    return ++systemScratchFiles == 1 ? ErrorCode{0} : errors::kAccessDenied;
  };

  Install(PlantMovie("m.swf", movie));

  EXPECT_EQ(ReadBytes(Installed("Glowdrift.swf")), movie) << "copied before the refusal";
  EXPECT_FALSE(Exists(Installed("Glowdrift.scr")));
  EXPECT_EQ(ReadBytes(InstalledForUser("Glowdrift.swf")), movie);
  EXPECT_EQ(ReadBytes(InstalledForUser("Glowdrift.scr")), module);
  EXPECT_EQ(ScreenSaverValue(), StringValue(InstalledForUser("Glowdrift.scr")));
  EXPECT_EQ(desktop.started, kScreenSaverPageOpened);
}

// A cancelled dialog keeps the movie of the folder now used, whatever the other folder holds.
TEST_F(InstallScreenSaverTest, EmptyMoviePathKeepsTheMovieInTheUsersFolder) {
  const Bytes userMovie = RandomBytes(600, 38);
  const Bytes systemMovie = RandomBytes(700, 39);
  PlantModule(100, 40);
  RefuseSystemFolder();
  Install(PlantMovie("m.swf", userMovie));
  WriteBytes(Installed("Glowdrift.swf"), systemMovie);
  const Bytes module = PlantModule(200, 41);

  Install("");

  EXPECT_EQ(ReadBytes(InstalledForUser("Glowdrift.swf")), userMovie);
  EXPECT_EQ(ReadBytes(InstalledForUser("Glowdrift.scr")), module);
  EXPECT_EQ(ReadBytes(Installed("Glowdrift.swf")), systemMovie);

  std::filesystem::remove(InstalledForUser("Glowdrift.swf"));
  Install("");
  EXPECT_EQ(NamesIn(UserFolder()), std::vector<std::string>{"Glowdrift.scr"})
      << "nothing is copied from the system folder";
}

// A folder that cannot be found or made raises before anything is copied or registered.
TEST_F(InstallScreenSaverTest, FolderThatCannotBeFoundOrMadeRaisesAndChangesNothing) {
  struct Case {
    const char* name;
    std::function<void()> arrange;
    std::string expectedStart;
    bool exactly;  // else the system's reason follows
  };
  const std::vector<Case> cases = {
      {"no system folder", [&] { desktop.systemDirectoryError = errors::kFileNotFound; },
       "Cannot find the Windows system folder. " + SystemErrorText(errors::kFileNotFound, files),
       true},
      {"no data folder for the user",
       [&] {
         RefuseSystemFolder();
         desktop.localAppDataError = errors::kAccessDenied;
       },
       "Cannot find your own folder for program data. " +
           SystemErrorText(errors::kAccessDenied, files),
       true},
      {"a file where the user's folder belongs",
       [&] {
         RefuseSystemFolder();
         WriteBytes(UserFolder(), BytesOf("not a folder"));
       },
       "Cannot create folder \"" + UserFolder() + "\". ", false},
  };
  PlantModule(100, 42);
  const std::string moviePath = PlantMovie("m.swf", RandomBytes(100, 43));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    desktop = InstallerDesktop();
    desktop.systemDirectory = system.Path().string();
    desktop.localAppData = userData.Path().string();
    c.arrange();

    std::string message;
    try {
      Install(moviePath);
      ADD_FAILURE() << "no error raised";
    } catch (const Exception& error) {
      message = error.Message();
    }

    if (c.exactly) {
      EXPECT_EQ(message, c.expectedStart);
    } else {
      EXPECT_EQ(message.substr(0, c.expectedStart.size()), c.expectedStart);
      EXPECT_GT(message.size(), c.expectedStart.size()) << "the system's reason follows";
    }
    EXPECT_EQ(desktop.copies, 0);
    EXPECT_EQ(registry.keysOpened, 0);
    EXPECT_EQ(desktop.announcements, 0);
    EXPECT_EQ(desktop.started, Started());
  }
}

// A copy that fails raises and stops the installation: nothing else is copied, the registry is
// not opened and the page stays closed.
class CopyFailureTest : public InstallScreenSaverTest {
 protected:
  CopyFailureTest() {
    WriteBytes(Installed("Glowdrift.swf"), oldMovie);
    WriteBytes(Installed("Glowdrift.scr"), oldModule);
    PlantAliasFile();
  }

  // Runs the installation, which must fail, and returns its message.
  std::string FailingInstall(const std::string& moviePath) {
    try {
      Install(moviePath);
    } catch (const EFCreateError& error) {
      return error.Message();
    }
    ADD_FAILURE() << "no error raised";
    return {};
  }

  void ExpectNothingElseTouched() {
    EXPECT_EQ(registry.keysOpened, 0);
    EXPECT_EQ(desktop.announcements, 0);
    EXPECT_EQ(desktop.started, Started());
    EXPECT_EQ(ReadBytes(Installed("Glowdrift.scr")), oldModule);
  }

  std::string Expected(const std::string& source, const std::string& target, ErrorCode error) {
    return "Cannot copy file \"" + files.FullPathName(source).path + "\" to \"" + target + "\". " +
           SystemErrorText(error, files);
  }

  const Bytes oldMovie = RandomBytes(3000, 17);
  const Bytes oldModule = RandomBytes(2000, 18);
};

TEST_F(CopyFailureTest, MissingSourceNamesBothFilesAndTheSystemsReason) {
  struct Case {
    const char* name;
    std::string movie;           // the path the user chose
    bool moduleShipped;          // Glowdrift.dll is in the program folder
    std::string expectedSource;  // as the user or the program names it
    const char* expectedTarget;  // in the system directory
    bool movieReplaced;
  };
  const Bytes movie = RandomBytes(100, 19);
  const std::string moviePath = PlantMovie("new.swf", movie);
  const std::vector<Case> cases = {
      {"missing movie", work / "missing.swf", true, work / "missing.swf", "Glowdrift.swf", false},
      {"missing movie named relative to the current folder", "no such movie.swf", true,
       "no such movie.swf", "Glowdrift.swf", false},
      {"missing module", moviePath, false, ModulePath(), "Glowdrift.scr", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WriteBytes(Installed("Glowdrift.swf"), oldMovie);
    std::filesystem::remove(ModulePath());
    if (c.moduleShipped) PlantModule(10, 20);

    EXPECT_EQ(FailingInstall(c.movie),
              Expected(c.expectedSource, Installed(c.expectedTarget), errors::kFileNotFound));

    EXPECT_EQ(ReadBytes(Installed("Glowdrift.swf")), c.movieReplaced ? movie : oldMovie);
    ExpectNothingElseTouched();
    EXPECT_EQ(SystemFolderNames(),
              (std::set<std::string>{"GLOWDR~1.SCR", "Glowdrift.scr", "Glowdrift.swf"}))
        << "no scratch file is left behind";
  }
}

TEST_F(CopyFailureTest, UnwritableTargetNamesBothFilesAndTheSystemsReason) {
  struct Case {
    const char* name;
    std::function<void()> arrange;
    std::string source;
    std::string target;
  };
  const std::string moviePath = PlantMovie("new.swf", RandomBytes(100, 21));
  PlantModule(10, 22);
  const std::string missingFolder = system / "no such folder";
  const std::vector<Case> cases = {
      {"the installed movie's name is a folder's",
       [&] {
         std::filesystem::remove(Installed("Glowdrift.swf"));
         MakeFolder(Installed("Glowdrift.swf"));
       },
       moviePath, Installed("Glowdrift.swf")},
      {"the system directory is missing", [&] { desktop.systemDirectory = missingFolder; },
       moviePath, missingFolder + files.Syntax().separator + "Glowdrift.swf"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    c.arrange();
    const std::string prefix =
        "Cannot copy file \"" + files.FullPathName(c.source).path + "\" to \"" + c.target + "\". ";

    const std::string message = FailingInstall(moviePath);

    EXPECT_EQ(message.substr(0, prefix.size()), prefix);
    EXPECT_GT(message.size(), prefix.size()) << "the system's reason follows";
    ExpectNothingElseTouched();
  }
}

// Only the system folder's refusal of new files with access denied turns to the user's folder.
TEST_F(CopyFailureTest, OtherRefusalsRaiseAsBefore) {
  struct Case {
    const char* name;
    std::function<void()> arrange;
    std::function<std::string()> target;
    ErrorCode error;
    bool userFolderMade;
  };
  const std::vector<Case> cases = {
      {"a full system folder", [&] { RefuseSystemFolder(errors::kDiskFull); },
       [&] { return Installed("Glowdrift.swf"); }, errors::kDiskFull, false},
      {"a system folder held by another program",
       [&] { RefuseSystemFolder(errors::kSharingViolation); },
       [&] { return Installed("Glowdrift.swf"); }, errors::kSharingViolation, false},
      {"the user's folder refuses as well",
       [&] { desktop.scratchFileError = [](const std::string&) { return errors::kAccessDenied; }; },
       [&] { return InstalledForUser("Glowdrift.swf"); }, errors::kAccessDenied, true},
  };
  const std::string moviePath = PlantMovie("new.swf", RandomBytes(100, 44));
  PlantModule(10, 45);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove_all(UserFolder());
    c.arrange();

    EXPECT_EQ(FailingInstall(moviePath), Expected(moviePath, c.target(), c.error));

    EXPECT_EQ(ReadBytes(Installed("Glowdrift.swf")), oldMovie);
    ExpectNothingElseTouched();
    EXPECT_EQ(Exists(UserFolder()), c.userFolderMade);
    if (c.userFolderMade) {
      EXPECT_EQ(NamesIn(UserFolder()), std::vector<std::string>{});
    }
  }
}

TEST_F(CopyFailureTest, ModuleThatIsAFolderCannotBeCopied) {
  const std::string moviePath = PlantMovie("new.swf", RandomBytes(100, 23));
  MakeFolder(ModulePath());
  const std::string prefix = "Cannot copy file \"" + files.FullPathName(ModulePath()).path +
                             "\" to \"" + Installed("Glowdrift.scr") + "\". ";

  const std::string message = FailingInstall(moviePath);

  EXPECT_EQ(message.substr(0, prefix.size()), prefix);
  EXPECT_GT(message.size(), prefix.size()) << "the system's reason follows";
  ExpectNothingElseTouched();
}

#ifndef _WIN32
// Writes past `bytes` fail with EFBIG, as a full disk would fail them, instead of raising SIGXFSZ.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previousHandler_);
  }

 private:
  rlimit saved_{};
  void (*previousHandler_)(int) = nullptr;
};

TEST_F(CopyFailureTest, MovieCopyFailingPartwayKeepsTheInstalledMovieWhole) {
  const std::string moviePath = PlantMovie("big.swf", RandomBytes(300000, 24));
  PlantModule(10, 25);
  std::string message;
  {
    FileSizeLimit limit(100000);
    message = FailingInstall(moviePath);
  }
  EXPECT_EQ(message, Expected(moviePath, Installed("Glowdrift.swf"), EFBIG));
  EXPECT_EQ(ReadBytes(Installed("Glowdrift.swf")), oldMovie);
  ExpectNothingElseTouched();
  EXPECT_EQ(SystemFolderNames(),
            (std::set<std::string>{"GLOWDR~1.SCR", "Glowdrift.scr", "Glowdrift.swf"}));
}
#endif

}  // namespace
}  // namespace swivex::testing
