// The saver with a browser: copies of a stand-in, registered under App Paths as Edge and Chrome,
// record how the saver starts them and show whether it ends them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cwchar>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "tests/playback/HttpClient.h"
#include "tests/screensaver-module/RegisteredBrowser.h"
#include "tests/screensaver-module/SaverProcess.h"
#include "tests/screensaver-module/SyntheticInput.h"
#include "tests/screensaver-module/TestSystem.h"
#include "tests/screensaver-module/WindowProbe.h"

namespace swivex::glowdrift::testing {
namespace {

using ::testing::HasSubstr;
using Clock = std::chrono::steady_clock;

enum class Ending { Key, KeyInBrowser, Suspend, SessionEnd, PageInput, PageQuit };

class SaverWithBrowser : public ::testing::Test {
 protected:
  void SetUp() override {
    PlantMovie(100);
    RemoveSettings();
  }
  void TearDown() override {
    saver_.reset();
    RemoveSettings();
  }

  // Starts "/s" and waits for the saver's window.
  void StartSaver() {
    saver_.reset();
    saver_ = std::make_unique<SaverProcess>("/s");
    window_ = WaitForTopLevelWindow(saver_->Id(), "GlowdriftSaver");
    ASSERT_NE(window_, nullptr) << "the saver's window did not appear";
  }

  // Registers stand-ins under the names, starts the saver, and waits for the start of the last
  // stand-in, the one the saver should choose.
  void Start(const std::vector<const char*>& names) {
    saver_.reset();
    browsers_.clear();
    for (const char* name : names) browsers_.push_back(std::make_unique<RegisteredBrowser>(name));
    ASSERT_NO_FATAL_FAILURE(StartSaver());
    std::optional<RegisteredBrowser::Start> started = browsers_.back()->WaitForStart();
    ASSERT_TRUE(started) << "the browser was not started";
    browserId_ = started->id;
    arguments_ = started->arguments;
    browser_ = std::move(started->process);
  }

  // Ends the saver; the time of the act that ended it within half a second, if one did. The
  // act is done again until then: input in the saver's first second is ignored.
  std::optional<Clock::time_point> End(Ending ending) {
    for (const auto deadline = Clock::now() + milliseconds(5000); Clock::now() < deadline;) {
      if (ending == Ending::Key) {
        ::SetForegroundWindow(window_);
        PumpMessagesUntil([&] { return ::GetForegroundWindow() == window_; }, milliseconds(1000));
      }
      const auto acted = Clock::now();
      if (ending == Ending::Key || ending == Ending::KeyInBrowser) PressKey(VK_SPACE);
      if (ending == Ending::Suspend || ending == Ending::SessionEnd) {
        const bool suspend = ending == Ending::Suspend;
        ::SendMessageTimeoutA(window_, suspend ? WM_POWERBROADCAST : WM_ENDSESSION,
                              suspend ? PBT_APMSUSPEND : TRUE, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
      }
      if (ending == Ending::PageInput) Tell("input");
      if (ending == Ending::PageQuit) Tell("quit");
      if (saver_->WaitForExit(milliseconds(500))) return acted;
    }
    return std::nullopt;
  }

  // A GET of the page's "tell/NAME", as the page in the browser does.
  void Tell(const std::string& name) {
    const swivex::testing::PageUrl page = swivex::testing::ParsePageUrl(arguments_.at(2));
    swivex::testing::HttpConnection connection(page.port);
    connection.Send(swivex::testing::GetHead(page.port, page.base + "tell/" + name));
    EXPECT_EQ(connection.Receive().status, 204) << name;
  }

  std::vector<std::unique_ptr<RegisteredBrowser>> browsers_;
  std::unique_ptr<SaverProcess> saver_;
  HWND window_ = nullptr;
  DWORD browserId_ = 0;
  std::vector<std::string> arguments_;  // as the browser was given them
  win::UniqueKernelObject browser_;
};

struct PlayCase {
  const char* what;
  std::vector<const char*> registered;  // the last is the one chosen
  bool edgeKiosk;
  bool sound;  // as the settings say
  Ending ending;
};

TEST_F(SaverWithBrowser, PlaysInEdgeElseChromeOnThePrimaryMonitorAndEndsItsBrowserWithIt) {
  const PlayCase cases[] = {
      {"Chrome alone, silent, ended by a key", {"chrome.exe"}, false, false, Ending::Key},
      {"Edge alone, with sound, ended by a suspend", {"msedge.exe"}, true, true, Ending::Suspend},
      {"Edge before Chrome, ended with the session",
       {"chrome.exe", "msedge.exe"},
       true,
       false,
       Ending::SessionEnd},
      {"ended by the movie's fscommand(\"quit\")", {"chrome.exe"}, false, true, Ending::PageQuit},
  };
  const std::string profile = LocalAppData() + "\\Swivex\\Glowdrift\\Browser";
  for (const PlayCase& test : cases) {
    SCOPED_TRACE(test.what);
    SetSettingsValue("PlaySound", DwordValue(test.sound ? 1 : 0));
    ASSERT_NO_FATAL_FAILURE(Start(test.registered));
    EXPECT_FALSE(test.registered.size() > 1 && std::filesystem::exists(browsers_.front()->Record()))
        << "Chrome started too";

    // Wine's virtual desktop is the one monitor, 1280 x 1024.
    std::vector<::testing::Matcher<const std::string&>> expected = {
        browsers_.back()->Program(),
        "--kiosk",
        ::testing::AllOf(::testing::StartsWith("http://127.0.0.1:"), ::testing::EndsWith("/")),
        "--no-first-run",
        "--user-data-dir=" + profile,
        "--autoplay-policy=no-user-gesture-required"};
    if (test.edgeKiosk) expected.push_back("--edge-kiosk-type=fullscreen");
    expected.push_back("--window-position=0,0");
    expected.push_back("--window-size=1280,1024");
    EXPECT_THAT(arguments_, ::testing::ElementsAreArray(expected));
    EXPECT_TRUE(std::filesystem::is_directory(profile));
    // The page that the browser is given plays the movie's sound as the settings say.
    const swivex::testing::PageUrl page = swivex::testing::ParsePageUrl(arguments_.at(2));
    swivex::testing::HttpConnection connection(page.port);
    connection.Send(swivex::testing::GetHead(page.port, page.base));
    EXPECT_THAT(connection.Receive().body, HasSubstr(test.sound ? "volume = 1;" : "volume = 0;"));

    const std::optional<Clock::time_point> ended = End(test.ending);
    ASSERT_TRUE(ended) << "the saver did not end";
    EXPECT_TRUE(EndsBy(browser_.Get(), *ended + milliseconds(1000)))
        << "the browser outlived the saver";
  }
}

TEST_F(SaverWithBrowser, LeavesThePrimaryMonitorToTheBrowserAndSeesInputThere) {
  // What the stand-in does; what the saver is then told; how the user's input reaches it.
  const std::tuple<const char*, const char*, Ending> cases[] = {
      {"window", "the browser's window shows, and a key goes to it", Ending::KeyInBrowser},
      {"", "the page tells its first frame, then the user's input", Ending::PageInput},
  };
  for (const auto& [act, what, ending] : cases) {
    SCOPED_TRACE(what);
    const StandInAct acting(act);
    ASSERT_NO_FATAL_FAILURE(Start({"chrome.exe"}));
    HWND browserWindow = nullptr;
    if (ending == Ending::KeyInBrowser) {
      browserWindow = WaitForTopLevelWindow(browserId_, "GlowdriftTestBrowser");
      ASSERT_NE(browserWindow, nullptr);
    } else {
      Tell("first-frame");
    }
    // The one monitor is the primary one: nothing of the saver's window is left on the screen,
    // and the browser's window has the keyboard, which does not end the saver.
    EXPECT_TRUE(PumpMessagesUntil([&] {
      return !::IsWindowVisible(window_) &&
             (!browserWindow || ::GetForegroundWindow() == browserWindow);
    }));
    EXPECT_TRUE(saver_->IsRunning());

    const std::optional<Clock::time_point> ended = End(ending);
    ASSERT_TRUE(ended) << "the input should end the saver";
    EXPECT_TRUE(EndsBy(browser_.Get(), *ended + milliseconds(1000)));
  }
}

enum class PicturesSetUp {
  BrowserEnds,
  BrowserShowsNothing,
  BrowserMissing,
  MovieTurnedOff,
  LocalDataOutsideTheCodePage
};

// The user's local application data moved, for as long as this lives, into a folder named in
// Japanese, which the code page of an English system cannot write.
class LocalDataOutsideTheCodePage {
 public:
  LocalDataOutsideTheCodePage() {
    DWORD size = sizeof saved_;
    ::RegGetValueW(HKEY_CURRENT_USER, kShellFolders, L"Local AppData", RRF_RT_ANY | RRF_NOEXPAND,
                   nullptr, saved_, &size);
    const std::wstring moved = std::wstring(saved_) + L"\\\u65E5\u672C";
    ::CreateDirectoryW(moved.c_str(), nullptr);
    ::RegSetKeyValueW(HKEY_CURRENT_USER, kShellFolders, L"Local AppData", REG_EXPAND_SZ,
                      moved.c_str(), static_cast<DWORD>((moved.size() + 1) * sizeof(wchar_t)));
  }
  ~LocalDataOutsideTheCodePage() {
    ::RegSetKeyValueW(HKEY_CURRENT_USER, kShellFolders, L"Local AppData", REG_EXPAND_SZ, saved_,
                      static_cast<DWORD>((std::wcslen(saved_) + 1) * sizeof(wchar_t)));
  }

 private:
  static constexpr wchar_t kShellFolders[] =
      L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
  wchar_t saved_[MAX_PATH * 2] = {};
};

struct PicturesCase {
  PicturesSetUp setUp;
  std::string title;  // after "Glowdrift shows the pictures inside the installed movie: "
  bool browserStarts;
};

TEST_F(SaverWithBrowser, ShowsThePicturesAndSaysWhyWhenTheMovieDoesNotPlay) {
  const std::string missing = LocalAppData() + "\\no-such-browser.exe";
  char reason[256] = {};
  ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   ERROR_FILE_NOT_FOUND, 0, reason, sizeof reason, nullptr);
  std::string notFound = reason;
  notFound.erase(notFound.find_last_not_of("\r\n. ") + 1);
  const std::string failed = "the browser could not play it. ";
  const PicturesCase cases[] = {
      {PicturesSetUp::BrowserEnds, failed + "The browser ended.", true},
      {PicturesSetUp::BrowserShowsNothing,
       failed + "The browser showed no frame of the movie within 10 seconds.", true},
      {PicturesSetUp::BrowserMissing, failed + "Cannot start " + missing + ": " + notFound + ".",
       false},
      {PicturesSetUp::MovieTurnedOff, "its settings say not to play it.", false},
      {PicturesSetUp::LocalDataOutsideTheCodePage,
       failed + "Cannot find the local application data folder under a name that the system's "
                "code page can write.",
       false},
  };
  for (const PicturesCase& test : cases) {
    SCOPED_TRACE(test.title);
    RemoveSettings();
    if (test.setUp == PicturesSetUp::MovieTurnedOff) SetSettingsValue("PlayMovie", DwordValue(0));
    const StandInAct acting(test.setUp == PicturesSetUp::BrowserEnds ? "exit" : "");
    const RegisteredBrowser chrome = test.setUp == PicturesSetUp::BrowserMissing
                                         ? RegisteredBrowser("chrome.exe", missing)
                                         : RegisteredBrowser("chrome.exe");
    std::optional<LocalDataOutsideTheCodePage> moved;
    if (test.setUp == PicturesSetUp::LocalDataOutsideTheCodePage) moved.emplace();
    ASSERT_NO_FATAL_FAILURE(StartSaver());
    std::optional<RegisteredBrowser::Start> started;
    if (test.browserStarts) {
      started = chrome.WaitForStart();
      ASSERT_TRUE(started) << "no browser started";
    }
    // The saver gives a browser ten seconds from its start, and some for a busy machine.
    const std::string title =
        "Glowdrift shows the pictures inside the installed movie: " + test.title;
    EXPECT_TRUE(PumpMessagesUntil(
        [&] { return WindowText(window_).find(title) != std::string::npos; }, milliseconds(13000)))
        << WindowText(window_);
    if (started) {
      EXPECT_TRUE(EndsBy(started->process.Get(), Clock::now() + milliseconds(1000)));
    }
    EXPECT_TRUE(::IsWindowVisible(window_));
    EXPECT_EQ(ScreenRectOf(window_), (RECT{0, 0, 1280, 1024}));
    EXPECT_TRUE(End(Ending::Key));
    // A browser started all the same would have had the saver's first second, whose keys are
    // ignored while a browser plays, to write its record.
    if (!test.browserStarts) {
      EXPECT_FALSE(std::filesystem::exists(chrome.Record()));
    }
  }
}

}  // namespace
}  // namespace swivex::glowdrift::testing
