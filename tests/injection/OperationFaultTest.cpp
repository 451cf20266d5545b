// Makes each call that the conversions and the screen-saver installation make to the system fail
// in turn, through the system's own implementations (POSIX natively, Win32 under Wine), and
// checks that every failure is reported and harms nothing. Prints the number of failure points
// of each operation.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <iostream>
#include <map>
#include <optional>
#include <string>

#include "common/Exceptions.h"
#include "projector/Conversions.h"
#include "screensaver/InstallScreenSaver.h"
#include "tests/injection/FaultInjectingPlatform.h"
#include "tests/screensaver/InstallerDesktop.h"
#include "tests/screensaver/InstallerRegistry.h"
#include "tests/support/MovedProgramFiles.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFiles.h"

#ifdef _WIN32
#include "platform/SystemRegistry.h"
#include "tests/screensaver/DesktopKey.h"
#endif

namespace swivex::testing {
namespace {

namespace fs = std::filesystem;

// Files by their names under the sweep's folder ("work/intro.swf"), with '/' between folders.
using FileTree = std::map<std::string, Bytes>;
// The current user's screen-saver setting, SCRNSAVE.EXE; none when it is not set.
using ScreenSaverSetting = std::optional<RegistryValue>;

constexpr char kSettingName[] = "SCRNSAVE.EXE";

// The folders that an operation works in: "program" (Swivex.exe's own, with the player stub and
// the screen-saver module), "work" (the user's movies and projectors), "system" (the system
// folder) and "user" (the user's local data).
class Folders {
 public:
  // Only `files` remain, each with its folders.
  void Reset(const FileTree& files) const {
    for (const char* folder : {"program", "work", "system", "user"}) {
      fs::remove_all(root_.Path() / folder);
      fs::create_directory(root_.Path() / folder);
    }
    for (const auto& [name, bytes] : files) {
      fs::create_directories(fs::path(Path(name)).parent_path());
      WriteBytes(Path(name), bytes);
    }
  }

  // Every file under the folders, scratch files included.
  FileTree Files() const {
    FileTree found;
    for (const auto& entry : fs::recursive_directory_iterator(root_.Path()))
      if (entry.is_regular_file())
        found[fs::relative(entry.path(), root_.Path()).generic_string()] =
            ReadBytes(entry.path().string());
    return found;
  }

  // The system's spelling of a name like "work/intro.swf".
  std::string Path(const std::string& name) const {
    return (root_.Path() / name).make_preferred().string();
  }

 private:
  TempFolder root_;
};

// The current user's registry hive: the real one on Windows, one in memory elsewhere, which has
// no registry.
class Hive {
 public:
  void Reset(const ScreenSaverSetting& setting) {
#ifdef _WIN32
    if (setting) {
      key_.Write(kSettingName, RawValue{setting->type, setting->data});
    } else {
      key_.Delete(kSettingName);
    }
#else
    memory_ = InstallerRegistry();
    if (setting) memory_.desktopValues[kSettingName] = *setting;
#endif
  }

  ScreenSaverSetting Setting() const {
#ifdef _WIN32
    const std::optional<RawValue> value = key_.Read(kSettingName);
    if (!value) return std::nullopt;
    return RegistryValue{value->type, value->data};
#else
    const auto found = memory_.desktopValues.find(kSettingName);
    if (found == memory_.desktopValues.end()) return std::nullopt;
    return found->second;
#endif
  }

  Registry& Current() {
#ifdef _WIN32
    return system_;
#else
    return memory_;
#endif
  }

 private:
#ifdef _WIN32
  DesktopKey key_;
  SystemRegistry system_;
#else
  InstallerRegistry memory_;
#endif
};

// What the operation sees: the system's files, registry and desktop through the fault
// injection, with the program, the system folder and the user's data moved to the test's
// folders, and the control panel recorded rather than opened.
struct Platform {
  FaultInjectingFiles& files;
  FaultInjectingRegistry& registry;
  FaultInjectingDesktop& desktop;
};

// What the user sees and has after an operation: its message or error report, the files, the
// setting and whether the Screen Saver page opened.
struct State {
  FileTree files;
  ScreenSaverSetting setting;
  bool pageOpened = false;
  bool operator==(const State&) const = default;
};

struct Scenario {
  const char* name;
  FileTree before;
  ScreenSaverSetting settingBefore;
  // The system folder refuses new files with access denied, as for a standard user.
  bool systemFolderRefuses;
  // Runs the operation; returns its message (none for the installation, which has none).
  std::function<std::string(const Folders&, const Platform&)> operation;
  std::string successMessage;
  State success;
  // A conversion that fails leaves every file as it was. The installation copies its files one
  // after the other, each replaced whole: a failure leaves each file as it was or complete.
  bool failureChangesNothing;
  // A conversion reports every failed call. The installation also gets by without some: a file
  // compared before the copy that cannot be read counts as different and is copied.
  bool everyErrorIsReported;
};

struct Outcome {
  bool raised = false;
  std::string message;
  State state;
  std::size_t openFiles = 0;
  std::size_t closedUnflushed = 0;
  std::size_t openKeys = 0;
  bool injected = false;
  std::vector<RecordedCall> calls;
};

void PrintTo(const State& state, std::ostream* out) {
  for (const auto& [name, bytes] : state.files) *out << name << " (" << bytes.size() << " bytes) ";
  *out << "setting ";
  if (state.setting) {
    PrintTo(*state.setting, out);
  } else {
    *out << "none";
  }
  *out << (state.pageOpened ? ", page opened" : ", page closed");
}

Outcome Run(const Folders& folders, Hive& hive, const Scenario& scenario,
            std::optional<Fault> fault) {
  folders.Reset(scenario.before);
  hive.Reset(scenario.settingBefore);
  MovedProgramFiles systemFiles(folders.Path("program/Swivex.exe"));
  InstallerDesktop systemDesktop;
  systemDesktop.systemDirectory = folders.Path("system");
  systemDesktop.localAppData = folders.Path("user");
  if (scenario.systemFolderRefuses) {
    const std::string refused = folders.Path("system") + systemFiles.Syntax().separator;
    systemDesktop.scratchFileError = [refused](const std::string& folder) {
      return folder == refused ? errors::kAccessDenied : 0;
    };
  }

  FaultPlan plan(fault);
  FaultInjectingFiles files(systemFiles, plan);
  FaultInjectingRegistry registry(hive.Current(), plan);
  FaultInjectingDesktop desktop(systemDesktop, plan);
  Outcome outcome;
  try {
    outcome.message = scenario.operation(folders, {files, registry, desktop});
  } catch (const Exception& error) {
    outcome.raised = true;
    outcome.message = error.what();
  }
  outcome.state = {folders.Files(), hive.Setting(), !systemDesktop.started.empty()};
  EXPECT_LE(systemDesktop.started.size(), 1u) << "the page opens once at most";
  outcome.openFiles = files.OpenFiles();
  outcome.closedUnflushed = files.ClosedUnflushed();
  outcome.openKeys = registry.OpenKeys();
  outcome.injected = plan.Injected();
  outcome.calls = plan.Calls();
  return outcome;
}

// Each file and the setting as they were before, or as a success leaves them; nothing else.
bool EachAsBeforeOrAfter(const State& state, const Scenario& scenario) {
  if (state.pageOpened) return false;
  if (state.setting != scenario.settingBefore && state.setting != scenario.success.setting)
    return false;
  for (const auto& [name, bytes] : state.files) {
    const auto before = scenario.before.find(name);
    const auto after = scenario.success.files.find(name);
    const bool asBefore = before != scenario.before.end() && before->second == bytes;
    const bool asAfter = after != scenario.success.files.end() && after->second == bytes;
    if (!asBefore && !asAfter) return false;
  }
  for (const auto& [name, bytes] : scenario.before)
    if (state.files.count(name) == 0 && scenario.success.files.count(name) != 0) return false;
  return true;
}

struct SweepCounts {
  std::size_t points = 0;    // the calls of a run without faults that can fail
  std::size_t runs = 0;      // runs with one fault each
  std::size_t reported = 0;  // runs that ended in an error report
  std::string calls;
};

SweepCounts Sweep(const Folders& folders, Hive& hive, const Scenario& scenario) {
  SCOPED_TRACE(scenario.name);
  const Outcome clean = Run(folders, hive, scenario, std::nullopt);
  EXPECT_FALSE(clean.raised) << clean.message;
  EXPECT_EQ(clean.message, scenario.successMessage);
  EXPECT_EQ(clean.state, scenario.success);
  // A file that takes another's place is on the disk first: a power cut right after the
  // replacement must not leave an empty file where the old one was.
  EXPECT_EQ(clean.closedUnflushed, 0u) << "a written file was closed without a flush";

  SweepCounts counts{clean.calls.size(), 0, 0, CallNames(clean.calls)};
  for (const Fault& fault : EveryFault(clean.calls)) {
    SCOPED_TRACE(Describe(fault, clean.calls));
    const Outcome run = Run(folders, hive, scenario, fault);
    ++counts.runs;
    EXPECT_TRUE(run.injected) << "the run took another way before the fault";
    EXPECT_EQ(run.openFiles, 0u) << "a file was left open";
    EXPECT_EQ(run.openKeys, 0u) << "a registry key was left open";
    if (run.raised) {
      ++counts.reported;
      EXPECT_NE(run.message, "");
      EXPECT_NE(run.message, kConvertedMessage);
      if (scenario.failureChangesNothing) {
        EXPECT_EQ(run.state, (State{scenario.before, scenario.settingBefore, false}));
      } else {
        EXPECT_TRUE(EachAsBeforeOrAfter(run.state, scenario))
            << ::testing::PrintToString(run.state);
      }
      continue;
    }
    // A short transfer is no failure: the operation carries on with the rest.
    if (fault.kind != FaultKind::ShortTransfer && scenario.everyErrorIsReported)
      ADD_FAILURE() << "the failure went unreported";
    EXPECT_EQ(run.message, scenario.successMessage);
    EXPECT_EQ(run.state, scenario.success) << "a run without an error report is a success";
  }
  return counts;
}

Bytes TextBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

// The stub, a full piece of the copy (1 MiB) and a part of one, and the trailer: the marker
// 56 34 12 FA and the movie's length 0x100003, little-endian.
const Bytes kStub = RandomBytes(3000, 1);
const Bytes kMovie = RandomBytes(0x100000 + 3, 2);
const Bytes kProjector =
    Concat(Concat(kStub, kMovie), Bytes{0x56, 0x34, 0x12, 0xFA, 0x03, 0x00, 0x10, 0x00});
const Bytes kOldProjector = RandomBytes(700, 3);
const Bytes kOldMovie = RandomBytes(900, 4);
const Bytes kModule = RandomBytes(5000, 5);
const Bytes kOldModule = RandomBytes(4000, 6);

std::string Build(const Folders& folders, const Platform& platform) {
  return BuildProjector(folders.Path("work/intro.swf"), folders.Path("work/intro.exe"),
                        platform.files);
}

std::string Extract(const Folders& folders, const Platform& platform) {
  return ExtractMovie(folders.Path("work/intro.exe"), folders.Path("work/intro.swf"),
                      platform.files);
}

std::string Install(const Folders& folders, const Platform& platform) {
  InstallScreenSaver(folders.Path("work/intro.swf"), platform.files, platform.registry,
                     platform.desktop);
  return "";
}

std::vector<Scenario> Scenarios(const Folders& folders) {
  const RegistryValue aliasSetting = StringValue(folders.Path("system/GLOWDR~1.SCR"));
  const RegistryValue userModuleSetting = StringValue(folders.Path("user/Swivex/Glowdrift.scr"));
  const RegistryValue otherSetting = StringValue("C:\\Windows\\system32\\other.scr");
  const Bytes alias = TextBytes("the alias");
  return {
      {"BuildProjector, no target yet",
       {{"program/Viewhost.exe", kStub}, {"work/intro.swf", kMovie}},
       std::nullopt,
       false,
       Build,
       kConvertedMessage,
       {{{"program/Viewhost.exe", kStub},
         {"work/intro.swf", kMovie},
         {"work/intro.exe", kProjector}},
        std::nullopt,
        false},
       true,
       true},
      {"BuildProjector over an older projector",
       {{"program/Viewhost.exe", kStub},
        {"work/intro.swf", kMovie},
        {"work/intro.exe", kOldProjector}},
       std::nullopt,
       false,
       Build,
       kConvertedMessage,
       {{{"program/Viewhost.exe", kStub},
         {"work/intro.swf", kMovie},
         {"work/intro.exe", kProjector}},
        std::nullopt,
        false},
       true,
       true},
      {"ExtractMovie, no target yet",
       {{"work/intro.exe", kProjector}},
       std::nullopt,
       false,
       Extract,
       kConvertedMessage,
       {{{"work/intro.exe", kProjector}, {"work/intro.swf", kMovie}}, std::nullopt, false},
       true,
       true},
      {"ExtractMovie over an older movie",
       {{"work/intro.exe", kProjector}, {"work/intro.swf", kOldMovie}},
       std::nullopt,
       false,
       Extract,
       kConvertedMessage,
       {{{"work/intro.exe", kProjector}, {"work/intro.swf", kMovie}}, std::nullopt, false},
       true,
       true},
      {"InstallScreenSaver, first install",
       {{"program/Glowdrift.dll", kModule},
        {"work/intro.swf", kMovie},
        {"system/GLOWDR~1.SCR", alias}},
       std::nullopt,
       false,
       Install,
       "",
       {{{"program/Glowdrift.dll", kModule},
         {"work/intro.swf", kMovie},
         {"system/GLOWDR~1.SCR", alias},
         {"system/Glowdrift.swf", kMovie},
         {"system/Glowdrift.scr", kModule}},
        aliasSetting,
        true},
       false,
       false},
      {"InstallScreenSaver over an older install",
       {{"program/Glowdrift.dll", kModule},
        {"work/intro.swf", kMovie},
        {"system/GLOWDR~1.SCR", alias},
        {"system/Glowdrift.swf", kOldMovie},
        {"system/Glowdrift.scr", kOldModule}},
       otherSetting,
       false,
       Install,
       "",
       {{{"program/Glowdrift.dll", kModule},
         {"work/intro.swf", kMovie},
         {"system/GLOWDR~1.SCR", alias},
         {"system/Glowdrift.swf", kMovie},
         {"system/Glowdrift.scr", kModule}},
        aliasSetting,
        true},
       false,
       false},
      {"InstallScreenSaver, system folder refused",
       {{"program/Glowdrift.dll", kModule}, {"work/intro.swf", kMovie}},
       otherSetting,
       true,
       Install,
       "",
       {{{"program/Glowdrift.dll", kModule},
         {"work/intro.swf", kMovie},
         {"user/Swivex/Glowdrift.swf", kMovie},
         {"user/Swivex/Glowdrift.scr", kModule}},
        userModuleSetting,
        true},
       false,
       false},
  };
}

TEST(OperationFaults, EveryFailingCallIsReportedAndHarmsNothing) {
  const Folders folders;
  Hive hive;
  for (const Scenario& scenario : Scenarios(folders)) {
    const SweepCounts counts = Sweep(folders, hive, scenario);
    std::cout << "[fault sweep] " << scenario.name << ": " << counts.points << " failure points, "
              << counts.runs << " runs with a fault, " << counts.reported
              << " reported\n  calls: " << counts.calls << "\n";
    ::testing::Test::RecordProperty(scenario.name,
                                    std::to_string(counts.points) + " failure points");
  }
}

}  // namespace
}  // namespace swivex::testing
