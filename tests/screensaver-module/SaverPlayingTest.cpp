// The saver playing its movie from end to end: App Paths names the stand-in as chrome.exe, which
// hands the page's address on to the browser that Wine's setting names, a script that runs
// Debian's chromium without a screen and lets the test drive it through its DevTools protocol
// (glowdrift-browser.sh). The test looks at what chromium draws and gives the page a key as a
// user would.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "tests/playback/DevToolsText.h"
#include "tests/screensaver-module/DevToolsSocket.h"
#include "tests/screensaver-module/RegisteredBrowser.h"
#include "tests/screensaver-module/SaverProcess.h"
#include "tests/screensaver-module/TestSystem.h"
#include "tests/screensaver-module/WindowProbe.h"
#include "tests/support/RedRectangleMovie.h"
#include "winsupport/WindowsHandles.h"

namespace swivex::glowdrift::testing {
namespace {

using namespace std::chrono_literals;
using swivex::testing::DecodePng;
using swivex::testing::FromBase64;
using swivex::testing::JsonString;
using swivex::testing::RgbPicture;
using Clock = std::chrono::steady_clock;

// Chromium's first start in a fresh profile and the player's compilation take long on a busy
// machine; the end has one second from the key.
constexpr milliseconds kStartPatience{120000};
constexpr milliseconds kEndDeadline{1000};

// The page's size, as a kiosk window on Wine's virtual desktop, the one monitor, has it.
constexpr int kWidth = 1280;
constexpr int kHeight = 1024;

// Red as the projector's playback test counts it.
bool IsRed(long colour) {
  return colour >= 0 && (colour >> 16) > 200 && ((colour >> 8) & 0xFF) < 60 && (colour & 0xFF) < 60;
}

enum class Shade { Red, Black, White, Other };

Shade ShadeOf(long colour) {
  if (IsRed(colour)) return Shade::Red;
  if (colour == 0x000000) return Shade::Black;
  const long red = colour >> 16, green = (colour >> 8) & 0xFF, blue = colour & 0xFF;
  return red > 240 && green > 240 && blue > 240 ? Shade::White : Shade::Other;
}

double RedShare(const RgbPicture& picture) {
  std::size_t red = 0;
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x) red += IsRed(picture.ColourAt(x, y)) ? 1 : 0;
  return static_cast<double>(red) / (static_cast<double>(picture.width) * picture.height);
}

bool Exists(const std::string& path) {
  std::error_code ignored;
  return std::filesystem::exists(path, ignored);
}

// The headless chromium that the script started on the page's address, driven through the
// DevTools port that chromium writes into its profile. The test ends it itself: it is a Linux
// program, outside the saver's job.
class ScriptsChromium {
 public:
  ScriptsChromium() {
    // What an earlier run left would be taken for this run's.
    for (const char* left : {"profile\\DevToolsActivePort", "browser.done"}) {
      std::error_code ignored;
      std::filesystem::remove(BrowserScratchPath(left), ignored);
    }
  }
  ScriptsChromium(const ScriptsChromium&) = delete;
  ScriptsChromium& operator=(const ScriptsChromium&) = delete;
  ~ScriptsChromium() {
    if (!devTools_) return;
    devTools_->Call("Browser.close");
    EXPECT_TRUE(PumpMessagesUntil([] { return Exists(BrowserScratchPath("browser.done")); },
                                  milliseconds(30000)))
        << "chromium did not end";
  }

  // Connects to chromium once it has started: its port file names the port and the browser's
  // endpoint.
  bool Connect() {
    unsigned port = 0;
    std::string endpoint;
    const bool named = PumpMessagesUntil(
        [&] {
          std::ifstream file(BrowserScratchPath("profile\\DevToolsActivePort"));
          return file >> port >> endpoint && endpoint.starts_with("/devtools/browser/");
        },
        kStartPatience);
    if (named) devTools_.emplace(port, endpoint);
    return named;
  }

  // A session with the tab that shows `address`, once chromium has opened it; empty if none.
  std::string Attach(const std::string& address) {
    std::string target;
    PumpMessagesUntil(
        [&] {
          const std::string targets = Call("Target.getTargets");
          const std::size_t url = targets.find("\"url\":\"" + address + "\"");
          const std::size_t id = targets.rfind("\"targetId\":\"", url);
          if (url == std::string::npos || id == std::string::npos) return false;
          target = JsonString(targets.substr(id), "targetId");
          return true;
        },
        kStartPatience);
    if (target.empty()) return "";
    const std::string session = JsonString(
        Call("Target.attachToTarget", "{\"targetId\":\"" + target + "\",\"flatten\":true}"),
        "sessionId");
    // A headless window keeps room for the bars that it does not draw: the page is given the
    // whole monitor, as a kiosk window has it.
    if (!session.empty())
      Call("Emulation.setDeviceMetricsOverride",
           "{\"width\":" + std::to_string(kWidth) + ",\"height\":" + std::to_string(kHeight) +
               ",\"deviceScaleFactor\":1,\"mobile\":false}",
           session);
    return session;
  }

  // The page as a PNG picture, or the pixel at (x, y) alone; empty if none came.
  std::vector<unsigned char> Screenshot(const std::string& session,
                                        std::optional<POINT> pixel = std::nullopt) {
    std::string params = "{\"format\":\"png\"";
    if (pixel)
      params += ",\"clip\":{\"x\":" + std::to_string(pixel->x) +
                ",\"y\":" + std::to_string(pixel->y) + ",\"width\":1,\"height\":1,\"scale\":1}";
    return FromBase64(JsonString(Call("Page.captureScreenshot", params + "}", session), "data"));
  }

  std::string Call(const std::string& method, const std::string& params = "{}",
                   const std::string& session = "") {
    return devTools_ ? devTools_->Call(method, params, session) : "";
  }

 private:
  std::optional<DevToolsSocket> devTools_;
};

// The saver started with the stand-in registered as Chrome, and chromium showing its page: what
// one run needs, ended in the reverse order (chromium last, once the saver and the stand-in are
// gone).
class PlayingRun {
 public:
  PlayingRun() : handingTheAddressOn_("open"), chrome_("chrome.exe"), saver_("/s") {}

  enum class Outcome { Playing, GaveUp, Failed };

  // Waits until the page has told the saver its first frame and the saver has left the monitor
  // to the browser; GaveUp if the saver gave the movie up first (no frame within its ten
  // seconds: a machine that is busy enough makes chromium that slow).
  Outcome Start() {
    window_ = WaitForTopLevelWindow(saver_.Id(), "GlowdriftSaver");
    EXPECT_NE(window_, nullptr) << "the saver's window did not appear";
    std::optional<RegisteredBrowser::Start> started = chrome_.WaitForStart(kStartPatience);
    EXPECT_TRUE(started) << "the saver did not start its browser";
    if (!window_ || !started) return Outcome::Failed;
    standIn_ = std::move(started->process);
    EXPECT_TRUE(standIn_);
    EXPECT_GE(started->arguments.size(), 3u);
    if (!standIn_ || started->arguments.size() < 3) return Outcome::Failed;
    const std::string& address = started->arguments[2];  // after --kiosk

    EXPECT_TRUE(chromium_.Connect())
        << "chromium did not start; see its log in " << BrowserScratchPath("chromium.log");
    session_ = chromium_.Attach(address);
    EXPECT_FALSE(session_.empty()) << "chromium did not open " << address;
    if (session_.empty()) return Outcome::Failed;
    bool gaveUp = false;
    const bool handedOver = PumpMessagesUntil(
        [&] {
          gaveUp = WindowText(window_).find(kGivenUp) != std::string::npos;
          return gaveUp || !::IsWindowVisible(window_);
        },
        kStartPatience);
    EXPECT_TRUE(handedOver) << "the saver still covers the browser: " << WindowText(window_);
    return gaveUp ? Outcome::GaveUp : handedOver ? Outcome::Playing : Outcome::Failed;
  }

  SaverProcess& Saver() { return saver_; }
  HANDLE StandIn() const { return standIn_.Get(); }
  ScriptsChromium& Chromium() { return chromium_; }
  const std::string& Session() const { return session_; }

 private:
  static constexpr char kGivenUp[] = "The browser showed no frame of the movie within 10 seconds.";

  ScriptsChromium chromium_;
  StandInAct handingTheAddressOn_;
  RegisteredBrowser chrome_;
  SaverProcess saver_;
  HWND window_ = nullptr;
  win::UniqueKernelObject standIn_;
  std::string session_;
};

struct Spot {
  POINT at;
  Shade shade;
  const char* what;
};

TEST(SaverPlayingTheMovie, ShowsItInTheBrowserUntilAKeyInThePageEndsTheSaverAndTheBrowser) {
  PlantMovie(swivex::testing::kRedRectangleMovie);
  RemoveSettings();
  std::unique_ptr<PlayingRun> run;
  PlayingRun::Outcome outcome = PlayingRun::Outcome::GaveUp;
  for (int attempt = 1; attempt <= 3 && outcome == PlayingRun::Outcome::GaveUp; ++attempt) {
    if (run) std::cout << "The saver gave the movie up before chromium drew it; once more.\n";
    run.reset();
    run = std::make_unique<PlayingRun>();
    outcome = run->Start();
  }
  ASSERT_EQ(outcome, PlayingRun::Outcome::Playing);
  ScriptsChromium& chromium = run->Chromium();
  const std::string& session = run->Session();

  ASSERT_TRUE(PumpMessagesUntil([&] {
    return IsRed(swivex::testing::OnePixelColour(
        chromium.Screenshot(session, POINT{kWidth / 2, kHeight / 2})));
  })) << "chromium shows no red in the middle of the page";
  const std::vector<unsigned char> png = chromium.Screenshot(session);
  std::ofstream(ArtifactPath("screensaver-playing.png"), std::ios::binary)
      .write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  const RgbPicture shot = DecodePng(png);
  ASSERT_EQ(shot.width, kWidth);
  ASSERT_EQ(shot.height, kHeight);
  // The movie's stage, 550 x 400, fills the monitor's width (x 1280 / 550) between black bars
  // 46 pixels high; its red rectangle of 500 x 360 then covers 74.4% of the monitor (stretched
  // to the monitor's shape it would cover 81.8%).
  EXPECT_NEAR(RedShare(shot), 0.744, 0.02) << "see " << ArtifactPath("screensaver-playing.png");
  const Spot spots[] = {
      {{640, 512}, Shade::Red, "the middle of the rectangle"},
      {{640, 20}, Shade::Black, "the bar above the stage"},
      {{640, 1003}, Shade::Black, "the bar below the stage"},
      {{20, 512}, Shade::White, "the stage left of the rectangle (58 pixels wide)"},
      {{1259, 512}, Shade::White, "the stage right of the rectangle"},
  };
  for (const Spot& spot : spots) {
    EXPECT_EQ(ShadeOf(shot.ColourAt(spot.at.x, spot.at.y)), spot.shade)
        << spot.what << ": " << std::hex << shot.ColourAt(spot.at.x, spot.at.y);
  }

  // A key, which the page tells the saver: the saver ends, and with it its browser's job.
  ASSERT_TRUE(run->Saver().IsRunning()) << "the saver ended before any input";
  const Clock::time_point dispatched = Clock::now();
  ASSERT_FALSE(chromium
                   .Call("Input.dispatchKeyEvent",
                         R"({"type":"keyDown","key":"a","code":"KeyA","windowsVirtualKeyCode":65})",
                         session)
                   .empty());
  EXPECT_TRUE(EndsBy(run->Saver().Handle(), dispatched + kEndDeadline))
      << "the saver did not end within a second of the key";
  EXPECT_EQ(run->Saver().WaitForExit(0ms), std::optional<DWORD>(0));
  EXPECT_TRUE(EndsBy(run->StandIn(), dispatched + kEndDeadline))
      << "the browser outlived the saver by more than the second";
}

}  // namespace
}  // namespace swivex::glowdrift::testing
