#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "playback/BrowserSystem.h"

namespace swivex::testing {
namespace {

// What the system tells of the user's folders and the main screen.
struct Screen {
  std::optional<std::string> localData;
  std::optional<WindowRoom> room;
};

// Programs registered by their names, as Windows' App Paths holds them, some of which do not
// start, and the default browser; what is started is recorded, nothing is run.
class RegisteredPrograms final : public BrowserSystem {
 public:
  explicit RegisteredPrograms(std::map<std::string, std::string> registered,
                              std::set<std::string> failing = {}, Screen screen = {},
                              bool defaultOpens = false)
      : registered_(std::move(registered)),
        failing_(std::move(failing)),
        screen_(std::move(screen)),
        defaultOpens_(defaultOpens) {}

  bool FindRegisteredProgram(const char* name, BoundedText& path) override {
    const auto found = registered_.find(name);
    if (found == registered_.end()) return false;
    path.Append(found->second.c_str());
    return true;
  }
  bool StartProgram(const char* path, std::span<const char* const> arguments) override {
    if (failing_.count(path) != 0) return false;
    started = {path};
    started.insert(started.end(), arguments.begin(), arguments.end());
    return true;
  }
  bool FindLocalDataFolder(BoundedText& folder) override {
    if (!screen_.localData) return false;
    folder.Append(screen_.localData->c_str());
    return true;
  }
  bool FindWindowRoom(WindowRoom& room) override {
    if (!screen_.room) return false;
    room = *screen_.room;
    return true;
  }
  bool OpenWithDefaultBrowser(const char* address, std::string_view forwarding) override {
    openedWithDefault = address;
    forwardingPage = forwarding;
    return defaultOpens_;
  }
  Launcher DefaultBrowserLauncher() override { return Launcher::Failed; }
  void ForgetPageAddress() override {}

  std::vector<std::string> started;  // the program, then its arguments
  std::string openedWithDefault;
  std::string forwardingPage;

 private:
  std::map<std::string, std::string> registered_;
  std::set<std::string> failing_;
  Screen screen_;
  bool defaultOpens_;
};

const std::string kEdge = "C:\\Program Files (x86)\\Microsoft\\Edge\\Application\\msedge.exe";
const std::string kChrome = "C:\\Program Files\\Google\\Chrome\\Application\\chrome.exe";

struct Registration {
  const char* what;
  std::map<std::string, std::string> registered;
  std::optional<AppBrowser> found;
  std::string path;
};

TEST(AppBrowser, IsEdgeElseChromeAsTheSystemRegistersThem) {
  const Registration cases[] = {
      {"neither", {{"firefox.exe", "C:\\firefox.exe"}}, std::nullopt, ""},
      {"Edge", {{"msedge.exe", kEdge}}, AppBrowser::Edge, kEdge},
      {"Chrome", {{"chrome.exe", kChrome}}, AppBrowser::Chrome, kChrome},
      {"both", {{"chrome.exe", kChrome}, {"msedge.exe", kEdge}}, AppBrowser::Edge, kEdge},
  };
  for (const Registration& tried : cases) {
    RegisteredPrograms system(tried.registered);
    BoundedText path("left over");
    EXPECT_EQ(FindAppBrowser(system, path), tried.found) << tried.what;
    EXPECT_STREQ(path.CStr(), tried.path.c_str()) << tried.what;
  }
}

constexpr char kAddress[] = "http://127.0.0.1:51234/0123456789abcdef0123456789abcdef/";
const std::string kLocal = "C:\\Users\\Ann Lee\\AppData\\Local";

// A work area of 1280 x 1000 at the screen's corner, the taskbar below it, and a frame of
// 8-pixel borders and a 23-pixel caption: 1264 x 961 pixels for the movie at most.
WindowRoom Room(int left = 0, int top = 0, int right = 1280, int bottom = 1000) {
  return {{left, top, right, bottom}, 16, 39};
}
const Screen kScreen{kLocal, Room()};

struct WindowCase {
  const char* what;
  AppWindow window;
  Screen screen;
  std::vector<std::string> more;  // the arguments after the profile's
};

// Edge's arguments: the app window and its switches, the profile, then those of the case.
std::vector<std::string> EdgeLine(const std::vector<std::string>& more,
                                  const std::string& profile = "--user-data-dir=" + kLocal +
                                                               "\\Swivex\\Browser\\Edge") {
  std::vector<std::string> line = {kEdge, std::string("--app=") + kAddress,
                                   "--autoplay-policy=no-user-gesture-required", "--no-first-run"};
  if (!profile.empty()) line.push_back(profile);
  line.insert(line.end(), more.begin(), more.end());
  return line;
}

// The window shows the stage at its size, or scaled down to the work area in its own shape,
// centred there as the page's own script centres it (the odd pixel left over goes to the left
// and the top), or full screen. Nothing that is not known is guessed.
TEST(AppBrowser, StartsWithAProfileOfItsOwnAndAWindowForTheStage) {
  const WindowCase cases[] = {
      {"a stage that fits",
       {550, 400},
       kScreen,
       {"--window-size=566,439", "--window-position=357,281"}},
      {"full screen",
       {550, 400, true},
       kScreen,
       {"--window-size=566,439", "--window-position=357,281", "--start-fullscreen"}},
      {"full screen, the stage unknown", {0, 0, true}, kScreen, {"--start-fullscreen"}},
      {"an odd pixel left over",
       {549, 401},
       kScreen,
       {"--window-size=565,440", "--window-position=358,280"}},
      {"the whole work area",
       {1264, 961},
       kScreen,
       {"--window-size=1280,1000", "--window-position=0,0"}},
      {"a pixel too wide",
       {1265, 961},
       kScreen,
       {"--window-size=1280,999", "--window-position=0,1"}},
      {"a pixel too high",
       {1264, 962},
       kScreen,
       {"--window-size=1279,1000", "--window-position=1,0"}},
      {"twice as wide, half a pixel rounded up",
       {2528, 1001},
       kScreen,
       {"--window-size=1280,540", "--window-position=0,230"}},
      {"too high", {500, 2000}, kScreen, {"--window-size=256,1000", "--window-position=512,0"}},
      {"a line", {20000, 1}, kScreen, {"--window-size=1280,40", "--window-position=0,480"}},
      {"a taskbar at the left",
       {550, 400},
       {kLocal, Room(60, 0, 1280, 1024)},
       {"--window-size=566,439", "--window-position=387,293"}},
      {"a taskbar at the top",
       {550, 400},
       {kLocal, Room(0, 40, 1280, 1024)},
       {"--window-size=566,439", "--window-position=357,313"}},
      {"no stage", {0, 0}, kScreen, {}},
      {"a stage without height", {550, 0}, kScreen, {}},
      {"no room known", {550, 400}, {kLocal, std::nullopt}, {}},
      {"a work area no wider than the frame", {550, 400}, {kLocal, Room(0, 0, 16, 1000)}, {}},
      {"a work area one pixel wider",
       {550, 400},
       {kLocal, Room(0, 0, 17, 1000)},
       {"--window-size=17,40", "--window-position=0,480"}},
      {"a work area no higher than the frame", {550, 400}, {kLocal, Room(0, 0, 1280, 39)}, {}},
      {"a work area left of the screen", {550, 400}, {kLocal, Room(-10, 0, 1280, 1000)}, {}},
  };
  for (const WindowCase& tried : cases) {
    RegisteredPrograms system({{"msedge.exe", kEdge}}, {}, tried.screen);
    EXPECT_EQ(OpenPageInBrowser(system, kAddress, tried.window), OpenedPage::AppWindow)
        << tried.what;
    EXPECT_EQ(system.started, EdgeLine(tried.more)) << tried.what;
    EXPECT_EQ(system.openedWithDefault, "") << tried.what;
  }
}

struct BrowserCase {
  const char* what;
  std::map<std::string, std::string> registered;
  std::set<std::string> failing;
  std::optional<std::string> localData;
  bool defaultOpens;
  OpenedPage opened;
  std::vector<std::string> started;
};

// Each browser keeps its own profile in the projectors' own folder, so that a browser of the
// user's that runs already takes none of the switches away; where no profile folder is known,
// the browser's own profile still takes the page.
TEST(AppBrowser, OpensThePageInTheFirstBrowserThatStartsElseInTheDefaultBrowser) {
  const std::string chromeProfile = "--user-data-dir=" + kLocal + "\\Swivex\\Browser\\Chrome";
  std::vector<std::string> chrome = EdgeLine({}, chromeProfile);
  chrome[0] = kChrome;
  const std::map<std::string, std::string> both = {{"msedge.exe", kEdge}, {"chrome.exe", kChrome}};
  const BrowserCase cases[] = {
      {"Edge", {{"msedge.exe", kEdge}}, {}, kLocal, false, OpenedPage::AppWindow, EdgeLine({})},
      {"Chrome", {{"chrome.exe", kChrome}}, {}, kLocal, false, OpenedPage::AppWindow, chrome},
      {"Edge before Chrome", both, {}, kLocal, false, OpenedPage::AppWindow, EdgeLine({})},
      {"Chrome when Edge does not start",
       both,
       {kEdge},
       kLocal,
       false,
       OpenedPage::AppWindow,
       chrome},
      {"no local data folder",
       {{"msedge.exe", kEdge}},
       {},
       std::nullopt,
       false,
       OpenedPage::AppWindow,
       EdgeLine({}, "")},
      {"neither starts", both, {kEdge, kChrome}, kLocal, true, OpenedPage::DefaultBrowser, {}},
      {"neither is there", {}, {}, kLocal, true, OpenedPage::DefaultBrowser, {}},
      {"no browser at all", {}, {}, kLocal, false, OpenedPage::None, {}},
  };
  for (const BrowserCase& tried : cases) {
    RegisteredPrograms system(tried.registered, tried.failing, {tried.localData, Room()},
                              tried.defaultOpens);
    EXPECT_EQ(OpenPageInBrowser(system, kAddress, {}), tried.opened) << tried.what;
    EXPECT_EQ(system.started, tried.started) << tried.what;
    const bool toDefault = tried.started.empty();
    EXPECT_EQ(system.openedWithDefault, toDefault ? kAddress : "") << tried.what;
    if (toDefault) {
      EXPECT_NE(system.forwardingPage.find(std::string("location.replace(\"") + kAddress + "\")"),
                std::string::npos)
          << tried.what;
    }
  }
}

}  // namespace
}  // namespace swivex::testing
