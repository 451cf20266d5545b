// Under Windows, a projector opens its page as an app window of Microsoft Edge, else of Google
// Chrome, found through App Paths, with a profile of the projectors' own in the user's local
// application data, in a window fitted to the movie's stage; recorders stand in for both.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <filesystem>
#include <optional>
#include <regex>
#include <string>

#include "projector/Conversions.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/RedRectangleMovie.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFiles.h"
#include "tests/swf/MovieBuilder.h"

namespace swivex::testing {
namespace {

constexpr char kAppPaths[] = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";
constexpr char kShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

std::filesystem::path ProgramFolder() {
  char tests[MAX_PATH];
  ::GetModuleFileNameA(nullptr, tests, sizeof tests);
  return (std::filesystem::path(tests).parent_path() / SWIVEX_PROGRAM_DIR_FROM_TESTS)
      .lexically_normal();
}

// A browser registered for the user under App Paths while the object lives.
class RegisteredBrowser {
 public:
  RegisteredBrowser(const std::string& name, const std::string& program) : key_(kAppPaths + name) {
    ::RegSetKeyValueA(HKEY_CURRENT_USER, key_.c_str(), nullptr, REG_SZ, program.c_str(),
                      static_cast<DWORD>(program.size() + 1));
  }
  ~RegisteredBrowser() { ::RegDeleteTreeA(HKEY_CURRENT_USER, key_.c_str()); }

 private:
  std::string key_;
};

// The user's local application data moved to `folder` (one with a space in its name) while the
// object lives, as Explorer's User Shell Folders record it.
class MovedLocalData {
 public:
  explicit MovedLocalData(const std::string& folder) {
    std::filesystem::create_directories(folder);
    DWORD size = sizeof saved_;
    saved_[0] = '\0';
    ::RegGetValueA(HKEY_CURRENT_USER, kShellFolders, "Local AppData", RRF_RT_ANY | RRF_NOEXPAND,
                   nullptr, saved_, &size);
    ::RegSetKeyValueA(HKEY_CURRENT_USER, kShellFolders, "Local AppData", REG_EXPAND_SZ,
                      folder.c_str(), static_cast<DWORD>(folder.size() + 1));
  }
  ~MovedLocalData() {
    ::RegSetKeyValueA(HKEY_CURRENT_USER, kShellFolders, "Local AppData", REG_EXPAND_SZ, saved_,
                      static_cast<DWORD>(std::strlen(saved_) + 1));
  }

 private:
  char saved_[MAX_PATH * 3];
};

// What a recorder that the projector started received and fetched.
struct Recorded {
  std::string commandLine;
  std::string page;
  Bytes icon;
};

// Runs a projector of `movie` in `work` with the recorders registered as `edge` and `chrome`,
// and returns what the one it started recorded.
Recorded RunProjector(const TempFolder& work, const Bytes& movie, bool edge, bool chrome,
                      const char* started) {
  const Bytes stub = ReadBytes((ProgramFolder() / kPlayerStubName).string());
  WriteBytes(
      work / "movie.exe",
      Concat(Concat(stub, movie), ProjectorTrailer(static_cast<std::uint32_t>(movie.size()))));
  for (const char* recorder : {"edge-recorder.exe", "chrome-recorder.exe"}) {
    std::filesystem::remove(work / recorder);
    for (const char* made : {".txt", ".html", ".ico"})
      std::filesystem::remove(work / (std::string(recorder) + made));
    std::filesystem::copy_file(SiblingProgram("app_browser_recorder"), work / recorder);
  }
  std::optional<RegisteredBrowser> edgeKey;
  std::optional<RegisteredBrowser> chromeKey;
  if (edge) edgeKey.emplace("msedge.exe", work / "edge-recorder.exe");
  if (chrome) chromeKey.emplace("chrome.exe", work / "chrome-recorder.exe");

  ChildProcess projector(work / "movie.exe", {});
  EXPECT_EQ(projector.Wait(), 0) << "the page came, and went";
  const std::string recorded = work / (std::string(started) + ".txt");
  if (!Exists(recorded)) {
    ADD_FAILURE() << started << " was not started";
    return {};
  }
  const std::string other =
      started == std::string("edge-recorder.exe") ? "chrome-recorder.exe" : "edge-recorder.exe";
  EXPECT_FALSE(Exists(work / (other + ".txt"))) << "one browser window";
  const std::string icon = work / (std::string(started) + ".ico");
  return {AsText(ReadBytes(recorded)), AsText(ReadBytes(work / (std::string(started) + ".html"))),
          Exists(icon) ? ReadBytes(icon) : Bytes{}};
}

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// Which browser comes first, and its profile's name, the playback's tests try; here, one
// browser's start as Windows does it.
TEST(AppWindow, OpensThePageAsAnAppWindowOfItsOwnThatPlaysWithSoundAndItsIcon) {
  TempFolder work;
  const std::string localData = work / "Local Data";
  const MovedLocalData moved(localData);
  const Recorded run = RunProjector(work, kRedRectangleMovie, false, true, "chrome-recorder.exe");
  EXPECT_TRUE(Has(run.commandLine, "\" --app=http://127.0.0.1:")) << run.commandLine;
  EXPECT_TRUE(Has(run.commandLine, " --autoplay-policy=no-user-gesture-required"))
      << run.commandLine;
  EXPECT_TRUE(Has(run.commandLine, " --no-first-run")) << run.commandLine;
  // Quoted whole: the folder's name has a space.
  EXPECT_TRUE(
      Has(run.commandLine, " \"--user-data-dir=" + localData + "\\Swivex\\Browser\\Chrome\""))
      << run.commandLine;
  EXPECT_TRUE(Has(run.page, "unmuteOverlay: \"hidden\"")) << "the sound starts by itself";
  EXPECT_TRUE(Has(run.page, "<link rel=\"icon\" href=\"icon.ico\">"));
  EXPECT_EQ(run.icon, ReadBytes(SWIVEX_PROGRAM_ICON_FILE)) << "the program's own icon";
}

// The numbers of a switch "--name=A,B" on the command line; none when it is not there.
std::optional<std::pair<long, long>> Switch(const std::string& commandLine,
                                            const std::string& name) {
  std::smatch found;
  if (!std::regex_search(commandLine, found, std::regex(" --" + name + "=(-?\\d+),(-?\\d+)")))
    return std::nullopt;
  return std::pair(std::stol(found[1]), std::stol(found[2]));
}

using swf::testing::Action;
using swf::testing::ActionString;
using swf::testing::MovieBuilder;
using swf::testing::operator+;

struct MovieCase {
  const char* what;
  Bytes movie;
  bool fullScreen;
};

// The window holds the stage of 550 x 400 pixels at its size, centred in the work area; a movie
// whose first frame asks for full screen starts so.
TEST(AppWindow, HoldsTheStageAndStartsFullScreenWhenTheFirstFrameAsks) {
  const swf::testing::Bytes fullScreen =
      Action(0x83, ActionString("FSCommand:fullscreen") + ActionString("true")) +
      swf::testing::Bytes{0x00};
  const swf::testing::Bytes asking = MovieBuilder().Tag(12, fullScreen).Tag(1, {}).End().Cws();
  const MovieCase cases[] = {
      {"a red rectangle", kRedRectangleMovie, false},
      {"CWS asking for full screen", Bytes(asking.begin(), asking.end()), true},
  };
  RECT work{};
  ASSERT_TRUE(::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
  RECT frame{};
  ASSERT_TRUE(::AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0));
  TempFolder folder;
  for (const MovieCase& tried : cases) {
    const Recorded run = RunProjector(folder, tried.movie, true, false, "edge-recorder.exe");
    EXPECT_EQ(Has(run.commandLine, " --start-fullscreen"), tried.fullScreen) << tried.what;
    const auto size = Switch(run.commandLine, "window-size");
    const auto position = Switch(run.commandLine, "window-position");
    ASSERT_TRUE(size && position) << tried.what << ": " << run.commandLine;
    const auto [width, height] = *size;
    const auto [left, top] = *position;
    EXPECT_EQ(width - (frame.right - frame.left), 550) << tried.what;
    EXPECT_EQ(height - (frame.bottom - frame.top), 400) << tried.what;
    // Centred: the room on either side differs by the odd pixel at most, which goes left and up.
    const long leftRoom = left - work.left;
    const long rightRoom = work.right - (left + width);
    const long topRoom = top - work.top;
    const long bottomRoom = work.bottom - (top + height);
    EXPECT_TRUE(leftRoom - rightRoom == 0 || leftRoom - rightRoom == 1)
        << tried.what << ": " << leftRoom << " and " << rightRoom;
    EXPECT_TRUE(topRoom - bottomRoom == 0 || topRoom - bottomRoom == 1)
        << tried.what << ": " << topRoom << " and " << bottomRoom;
  }
}

}  // namespace
}  // namespace swivex::testing
