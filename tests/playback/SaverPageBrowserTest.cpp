// The screen saver's page in a real browser: the playback server running natively serves it with
// the player that the program carries, and Debian's chromium, headless, plays it while the test
// dispatches input through the DevTools protocol and reads what the page tells the server.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "playback/PlayerFileList.h"
#include "playback/PosixFileSystem.h"
#include "playback/SaverServing.h"
#include "playback/SystemServer.h"
#include "tests/playback/DevToolsPipe.h"
#include "tests/playback/SaverRounds.h"
#include "tests/support/PollUntil.h"
#include "tests/support/RedRectangleMovie.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFiles.h"
#include "tests/swf/MovieBuilder.h"

namespace swivex::testing {
namespace {

using namespace std::chrono_literals;

// Starting the browser and compiling the player take seconds on a busy machine.
constexpr auto kPatience = 60s;
constexpr int kWidth = 1000;
constexpr int kHeight = 400;

// The saver's server for a movie, its rounds on a thread of their own counting what the page
// tells, and a headless browser.
class SaverPageBrowserTest : public ::testing::Test {
 protected:
  void Serve(const Bytes& movie) {
    WriteBytes(work_ / "Glowdrift.swf", movie);
    WriteBytes(work_ / "notes.xml", Bytes{'<', 'n', '/', '>'});
    BoundedText failure;
    ASSERT_TRUE(serving_->Start((work_ / "Glowdrift.swf").c_str(), FindCarriedPlayerFiles(player_),
                                false, failure))
        << failure.CStr();
    rounds_.emplace(*serving_);
    browser_ = std::make_unique<DevToolsPipe>(work_ / "profile");
  }

  // A new tab of the page's size showing the page; its session, or empty.
  std::string OpenPage() { return browser_->OpenTab(serving_->Address().CStr(), kWidth, kHeight); }

  int Told(PageTell tell) const { return rounds_->Told(tell); }
  bool WaitForTold(PageTell tell, int count) {
    return rounds_->WaitForTold(tell, count, kPatience);
  }

  TempFolder work_;
  PosixFileSystem files_;
  SystemServer network_;
  std::array<PlayerFile, SWIVEX_PLAYER_FILE_COUNT> player_;
  std::unique_ptr<SaverServing> serving_ = std::make_unique<SaverServing>(network_, files_);
  std::optional<SaverRounds> rounds_;
  std::unique_ptr<DevToolsPipe> browser_;
};

using Events = std::vector<std::pair<const char*, std::string>>;  // DevTools method, parameters

struct Input {
  const char* what;
  Events quiet;   // events that are not input yet
  Events events;  // then the input
};

TEST_F(SaverPageBrowserTest, TellsTheFirstFrameAndEveryKindOfInput) {
  ASSERT_NO_FATAL_FAILURE(Serve(kRedRectangleMovie));
  const auto mouse = [](const char* type, int x, const std::string& more = "") {
    return std::pair<const char*, std::string>("Input.dispatchMouseEvent",
                                               std::string("{\"type\":\"") + type + "\",\"x\":" +
                                                   std::to_string(x) + ",\"y\":200" + more + "}");
  };
  const Input inputs[] = {
      {"a key",
       {},
       {{"Input.dispatchKeyEvent",
         "{\"type\":\"keyDown\",\"key\":\"a\",\"code\":\"KeyA\",\"windowsVirtualKeyCode\":65}"}}},
      {"a mouse button", {}, {mouse("mousePressed", 500, ",\"button\":\"left\",\"clickCount\":1")}},
      {"the wheel", {}, {mouse("mouseWheel", 500, ",\"deltaX\":0,\"deltaY\":120")}},
      {"a move of 8 pixels, then of 9",
       {mouse("mouseMoved", 500), mouse("mouseMoved", 508)},
       {mouse("mouseMoved", 509)}},
  };
  // The page's fetches, written down as they are asked for: a tell is asked for in the handler of
  // the event that it tells of, before the event's dispatch returns.
  const std::string watchTells =
      "(window.asked = [], window.fetch = (function (fetch) { return function (url, options) { "
      "window.asked.push(String(url)); return fetch(url, options); }; })(window.fetch), true)";
  int pages = 0;
  for (const Input& input : inputs) {
    const std::string session = OpenPage();
    ASSERT_FALSE(session.empty()) << input.what << ": no tab";
    ++pages;
    ASSERT_TRUE(WaitForTold(PageTell::FirstFrame, pages)) << input.what << ": no first frame";
    EXPECT_EQ(Told(PageTell::Input), pages - 1) << input.what << ": input before any was given";
    ASSERT_EQ(browser_->Evaluate(watchTells, session), "true");
    for (const auto& [method, parameters] : input.quiet)
      ASSERT_FALSE(browser_->Call(method, parameters, session).empty()) << input.what;
    EXPECT_EQ(browser_->Evaluate("window.asked.join()", session), "") << input.what;
    for (const auto& [method, parameters] : input.events)
      ASSERT_FALSE(browser_->Call(method, parameters, session).empty()) << input.what;
    EXPECT_TRUE(WaitForTold(PageTell::Input, pages)) << input.what;
  }
  EXPECT_EQ(Told(PageTell::Quit), 0);
}

TEST_F(SaverPageBrowserTest, TellsWhenTheMovieCallsFscommandQuit) {
  ASSERT_NO_FATAL_FAILURE(
      Serve(swf::testing::RedRectangleCalling({swf::testing::FsCommand(1, "quit")})));
  ASSERT_FALSE(OpenPage().empty());
  EXPECT_TRUE(WaitForTold(PageTell::Quit, 1));
  EXPECT_EQ(Told(PageTell::Input), 0);
}

}  // namespace
}  // namespace swivex::testing
