// Every shipped program run from a folder where DLLs named like the system's own were saved (a
// Downloads folder): Wine is told to look in the program's folder first for those names, as
// Windows does for a DLL that is not one of its KnownDLLs. Each program goes through its main
// path, and none of the planted DLLs may be loaded.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/console/ProgramRun.h"
#include "tests/e2e/E2eFiles.h"
#include "tests/e2e/SwivexApp.h"
#include "tests/e2e/driver/Controls.h"
#include "tests/e2e/driver/WindowList.h"
#include "tests/support/AsciiText.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempFolder.h"
#include "winsupport/WindowsHandles.h"

namespace swivex::e2e {
namespace {

using swivex::testing::ReadBytes;
using swivex::testing::WriteBytes;

// The names planted: what the programs imported before they loaded system libraries from the
// system folder only (VERSION, MSIMG32, bcrypt; COMCTL32, which the manifests send to Common
// Controls 6), and what the windows, the open dialog and the player lookup load on their way
// that is not a KnownDLL, as Wine's loader trace lists them (uxtheme.dll for themed controls,
// winspool.drv for the common dialogs); Wine's own drivers and runtime excepted.
const std::vector<std::string> kPlantedNames = {
    "version.dll", "msimg32.dll", "bcrypt.dll", "comctl32.dll", "uxtheme.dll", "winspool.drv",
};

// The programs started from the folder, under the names they are started by.
const std::vector<std::string> kProgramNames = {"Swivex.exe", "show.exe", "Glowdrift.scr",
                                                "swivexc.exe"};

// Loads that Wine 8's own DLLs make before any code of the program runs, where Windows' make
// none: Wine's user32.dll imports version.dll and its comdlg32.dll imports winspool.drv; and
// Wine's Common Controls 6, imported by Swivex.exe, turn theming on while they are loaded, for
// which its user32.dll asks for uxtheme.dll by the search path that the process started with.
struct WineOwnLoad {
  const char* dll;
  const char* how;  // "imported" or "requested"
  const char* by;   // one of Wine's DLLs in the system folder
};
constexpr WineOwnLoad kWineOwnLoads[] = {{"version.dll", "imported", "user32.dll"},
                                         {"winspool.drv", "imported", "comdlg32.dll"},
                                         {"uxtheme.dll", "requested", "user32.dll"}};

// An uncompressed movie of one empty frame: header, frame fields, the end tag.
const Bytes kSmallestMovie = {0x46, 0x57, 0x53, 0x0A, 0x17, 0x00, 0x00, 0x00,
                              0x78, 0x00, 0x05, 0x5F, 0x00, 0x00, 0x0F, 0xA0,
                              0x00, 0x00, 0x18, 0x01, 0x00, 0x00, 0x00};

std::string SystemFolder() {
  char folder[MAX_PATH] = {};
  ::GetSystemDirectoryA(folder, MAX_PATH);
  return swivex::testing::AsciiLower(folder) + "\\";
}

std::vector<std::string> Split(const std::string& line, char separator) {
  std::vector<std::string> parts;
  std::stringstream stream(line);
  for (std::string part; std::getline(stream, part, separator);) parts.push_back(part);
  return parts;
}

// One line of a recorder: program|when|imported|importer... or program|when|requested|requester.
bool IsWineOwnLoad(const std::string& dll, const std::vector<std::string>& fields) {
  for (const WineOwnLoad& known : kWineOwnLoads) {
    if (dll == known.dll && fields.size() == 4 && fields[1] == "before the program ran" &&
        fields[2] == known.how &&
        swivex::testing::AsciiLower(fields[3]) == SystemFolder() + known.by)
      return true;
  }
  return false;
}

// A folder holding a copy of every shipped file and the recorder under each planted name. While
// it exists, Wine looks for those names in the program's folder first, as Windows does for DLLs
// that are not KnownDLLs, in the programs started from it. (The overrides go into the registry
// by program name: Wine reads WINEDLLOVERRIDES from the Linux environment only.)
class PlantedFolder {
 public:
  PlantedFolder() {
    for (const char* shipped :
         {"Swivex.exe", "Viewhost.exe", "Glowdrift.dll", "swivexc.exe", "Swivex.chm"})
      std::filesystem::copy_file(ProgramFile(shipped), folder_ / shipped);
    for (const std::string& name : kPlantedNames)
      std::filesystem::copy_file(Recorder(), folder_ / name);
    for (const std::string& program : kProgramNames) {
      win::UniqueKey key;
      if (::RegCreateKeyExA(HKEY_CURRENT_USER, OverridesKey(program).c_str(), 0, nullptr, 0,
                            KEY_SET_VALUE, nullptr, key.Receive(), nullptr) != ERROR_SUCCESS)
        throw DriverError("cannot create " + OverridesKey(program));
      for (const std::string& name : kPlantedNames) {
        constexpr char kNativeFirst[] = "native,builtin";
        ::RegSetValueExA(key.Get(), name.substr(0, name.find('.')).c_str(), 0, REG_SZ,
                         reinterpret_cast<const BYTE*>(kNativeFirst), sizeof kNativeFirst);
      }
    }
  }
  PlantedFolder(const PlantedFolder&) = delete;
  PlantedFolder& operator=(const PlantedFolder&) = delete;
  ~PlantedFolder() {
    for (const std::string& program : kProgramNames)
      ::RegDeleteTreeA(HKEY_CURRENT_USER, OverridesKey(program).c_str());
  }

  std::string operator/(const std::string& name) const { return folder_ / name; }
  std::string Path() const { return folder_.Path().string() + "\\"; }

  // The lines that the recorder standing in for `dll` wrote.
  std::vector<std::string> Records(const std::string& dll) const {
    std::vector<std::string> lines;
    std::ifstream record(folder_ / (dll + ".loaded"));
    for (std::string line; std::getline(record, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
    }
    return lines;
  }

  // Every load of a planted DLL that the recorders wrote down, but Wine's own.
  std::vector<std::string> Loads() const {
    std::vector<std::string> loads;
    for (const std::string& dll : kPlantedNames) {
      for (const std::string& line : Records(dll))
        if (!IsWineOwnLoad(dll, Split(line, '|'))) loads.push_back(dll + ": " + line);
    }
    return loads;
  }

 private:
  // The recorder, built beside the test program.
  static std::filesystem::path Recorder() {
    return std::filesystem::path(swivex::testing::SiblingProgram("planted_dll_recorder"))
        .replace_extension(".dll");
  }

  static std::string OverridesKey(const std::string& program) {
    return "Software\\Wine\\AppDefaults\\" + program + "\\DllOverrides";
  }

  swivex::testing::TempFolder folder_;
};

class PlantedDllTest : public ::testing::Test {
 protected:
  void ExpectNoPlantedDllLoaded() { EXPECT_EQ(planted_.Loads(), std::vector<std::string>{}); }

  PlantedFolder planted_;
  swivex::testing::TempFolder work_;
};

TEST_F(PlantedDllTest, SwivexConvertsAMovieAndShowsItsVersion) {
  const Bytes movie = MovieBytes(120'000, 41);
  WriteBytes(work_ / "intro.swf", movie);
  {
    SwivexApp app(SwivexApp::Copy{planted_.Path()}, work_.Path().string());
    app.Pick(kSwfToExeButton, work_ / "intro.swf");
    auto done = app.WaitForTitledDialog();
    EXPECT_EQ(done.Text(), swivexui::kSuccess);
    done.Press(IDOK);

    constexpr int kAboutCommand = 206;
    constexpr int kLabelVersion = 303;
    PostCommand(app.Window(), kAboutCommand);
    const HWND about = app.Process().WaitForWindow("TAboutForm");
    WaitUntilHandled(about);
    EXPECT_EQ(TextOf(ControlById(about, kLabelVersion)), "Version 1.0.1.7");
    ::PostMessageA(about, WM_CLOSE, 0, 0);
    WaitUntil([&] { return IsEnabled(app.Window()); }, "the About box to close");
    PostCommand(app.Window(), swivexui::kExit1);
    app.Process().WaitForExit();
  }
  EXPECT_EQ(ReadBytes(work_ / "intro.exe"), ExpectedProjector(movie));
  ExpectNoPlantedDllLoaded();
  // The folder does what it should: Wine's own user32.dll took the planted version.dll.
  EXPECT_FALSE(planted_.Records("version.dll").empty());
}

TEST_F(PlantedDllTest, AProjectorHandsItsMovieToThePlayer) {
  const Bytes movie = MovieBytes(90'000, 43);
  WriteBytes(planted_ / "show.exe", ExpectedProjector(movie));
  std::filesystem::path record = swivex::testing::SiblingProgram("swf_open_recorder");
  record.replace_filename("swf_open_recorder.txt");
  std::filesystem::remove(record);

  RunningProgram projector(planted_ / "show.exe", planted_.Path());
  projector.WaitForExit();
  WaitUntil([&] { return std::filesystem::exists(record); }, "the registered player to start");
  const Bytes opened = ReadBytes(record.string());
  const std::string movieCopy(opened.begin(), opened.end());
  std::filesystem::remove(record);
  EXPECT_EQ(ReadBytes(movieCopy), movie) << movieCopy;
  ExpectNoPlantedDllLoaded();
}

TEST_F(PlantedDllTest, TheScreenSaverRunsUntilAKeyIsPressed) {
  std::filesystem::copy_file(planted_ / "Glowdrift.dll", planted_ / "Glowdrift.scr");
  WriteBytes(planted_ / "Glowdrift.swf", kSmallestMovie);
  RunningProgram saver(planted_ / "Glowdrift.scr", planted_.Path(), RunningProgram::Tail{"/s"});
  const HWND window = saver.WaitForWindow("GlowdriftSaver");
  WaitUntilHandled(window);
  ::PostMessageA(window, WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_EQ(saver.WaitForExit(), 0u);
  ExpectNoPlantedDllLoaded();
}

TEST_F(PlantedDllTest, SwivexcBuildsAProjectorAndHashesTheMovie) {
  WriteBytes(work_ / "clip.swf", kSmallestMovie);
  const auto build = swivex::testing::RunProgram(
      planted_ / "swivexc.exe", {"build", work_ / "clip.swf"}, work_.Path().string());
  EXPECT_EQ(build.exitCode, 0) << build.output << build.error;
  EXPECT_EQ(ReadBytes(work_ / "clip.exe"), ExpectedProjector(kSmallestMovie));

  const auto info = swivex::testing::RunProgram(
      planted_ / "swivexc.exe", {"info", work_ / "clip.exe", "--json"}, work_.Path().string());
  EXPECT_EQ(info.exitCode, 0) << info.output << info.error;
  EXPECT_NE(info.output.find(
                R"("sha256": "96fc4283b9e122c6c41b6ad2c90093078801e3eea9a7ced5ac05bd06d7dc20c5")"),
            std::string::npos)
      << info.output;
  ExpectNoPlantedDllLoaded();
}

}  // namespace
}  // namespace swivex::e2e
