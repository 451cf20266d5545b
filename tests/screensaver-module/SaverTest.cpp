#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "tests/screensaver-module/HostWindow.h"
#include "tests/screensaver-module/SaverProcess.h"
#include "tests/screensaver-module/ScreenCapture.h"
#include "tests/screensaver-module/SyntheticInput.h"
#include "tests/screensaver-module/TestSystem.h"
#include "tests/screensaver-module/WindowProbe.h"
#include "tests/swf/MovieBuilder.h"

namespace swivex::glowdrift::testing {
namespace {

using ::testing::HasSubstr;

constexpr char kSaverClass[] = "GlowdriftSaver";

RECT VirtualScreen() {
  const int left = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
  return {left, top, left + ::GetSystemMetrics(SM_CXVIRTUALSCREEN),
          top + ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

POINT ScreenCentre() {
  const RECT screen = VirtualScreen();
  return {(screen.left + screen.right) / 2, (screen.top + screen.bottom) / 2};
}

// Pixels of the caption's headline colour (near white, a little blue); the glows and the
// night-blue background never come close to it.
std::size_t CaptionPixels(const Picture& picture) {
  return picture.PixelsBrighterThan(190, 190, 200);
}

// Where the pointer rests once it has stopped moving: where it is twice in a row, 150 ms apart.
// (Under Wine 8 a pointer move made while no window of the prefix has the focus does not reach
// X, and the next event from X puts the pointer back where X has it; so the tests take the
// pointer where it is rather than park it.)
POINT SettledPointer() {
  POINT last = CursorPosition();
  for (int check = 0; check < 20; ++check) {
    PumpMessagesFor(milliseconds(150));
    const POINT now = CursorPosition();
    if (now.x == last.x && now.y == last.y) return now;
    last = now;
  }
  ADD_FAILURE() << "the pointer does not come to rest";
  return last;
}

// A step of the given length from the point towards the middle of the screen, so that the
// pointer never runs into an edge.
POINT TowardsTheMiddle(POINT from, int dx, int dy) {
  const POINT middle = ScreenCentre();
  return {from.x + (from.x <= middle.x ? dx : -dx), from.y + (from.y <= middle.y ? dy : -dy)};
}

// Brings the window to the front and waits until it is there, so that keys reach it.
void BringToFront(HWND window) {
  ::SetForegroundWindow(window);
  EXPECT_TRUE(PumpMessagesUntil([&] { return ::GetForegroundWindow() == window; }))
      << "the window did not come to the front";
}

class RunningSaver : public ::testing::Test {
 protected:
  // Starts "/s" with the pointer at rest and waits until the saver covers the screen: it has
  // the keyboard and its caption is on the screen.
  void Start() {
    pointer_ = SettledPointer();
    saver_ = std::make_unique<SaverProcess>("/s");
    window_ = WaitForTopLevelWindow(saver_->Id(), kSaverClass);
    ASSERT_NE(window_, nullptr) << "the saver's window did not appear";
    ASSERT_TRUE(PumpMessagesUntil([&] {
      return ::GetForegroundWindow() == window_ &&
             CaptionPixels(CaptureScreen(VirtualScreen())) > 500;
    })) << "the saver did not take the keyboard and draw its caption";
  }

  void ExpectEnded() {
    EXPECT_EQ(saver_->WaitForExit(milliseconds(5000)), std::optional<DWORD>(0))
        << "the saver should end at once";
  }

  // Nothing shows that the saver has let a twitch pass, so it is watched for a while: one that
  // takes the twitch for a real move ends well within this time (a real move ends it at once).
  void ExpectStillRunning() {
    PumpMessagesFor(milliseconds(1500));
    EXPECT_TRUE(saver_->IsRunning());
    EXPECT_TRUE(::IsWindowVisible(window_));
  }

  void EndWithKey() {
    BringToFront(window_);
    PressKey(VK_SPACE);
  }

  std::unique_ptr<SaverProcess> saver_;
  HWND window_ = nullptr;
  POINT pointer_{};  // where the pointer rested when the saver started
};

TEST_F(RunningSaver, CoversTheScreenOnTopAndShowsTheMoviesNameAndSize) {
  PlantMovie(12345);
  Start();
  ASSERT_NE(window_, nullptr);

  EXPECT_EQ(ScreenRectOf(window_), VirtualScreen());
  EXPECT_TRUE(::GetWindowLongPtrA(window_, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(::GetWindowLongPtrA(window_, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0);
  const std::string title = WindowText(window_);
  EXPECT_THAT(title, HasSubstr("Glowdrift.swf (12,345 bytes)"));
  // No Edge or Chrome is installed here.
  EXPECT_THAT(title, HasSubstr("it needs Microsoft Edge or Google Chrome to play it."));

  const Picture first = CaptureScreen(VirtualScreen());
  Picture later = first;
  PumpMessagesUntil([&] {
    later = CaptureScreen(VirtualScreen());
    return first.ShareOfChangedPixels(later) > 0.05;
  });
  SaveBitmap(later, ArtifactPath("glowdrift-saver.bmp"));
  EXPECT_GT(first.DistinctColours(), 1000u) << "soft glows should show many shades";
  EXPECT_GT(CaptionPixels(first), 500u) << "the caption should be drawn";
  EXPECT_GT(first.ShareOfChangedPixels(later), 0.05) << "the glows should drift";
  EXPECT_LT(first.ShareOfChangedPixels(later), 0.999) << "nothing should flash";

  EndWithKey();
  ExpectEnded();
}

TEST_F(RunningSaver, SaysSoWhenNoMovieIsInstalled) {
  RemoveMovie();
  Start();
  ASSERT_NE(window_, nullptr);
  EXPECT_THAT(
      WindowText(window_),
      HasSubstr("No movie is installed: there is no Glowdrift.swf beside the screen saver."));
  EndWithKey();
  ExpectEnded();
}

// Pure green: no glow, no shade of the night-blue sky and no caption pixel comes near it.
constexpr std::uint32_t kPictureGreen = 0x0000FF00;

// A movie holding one 200 x 100 DefineBitsLossless picture of pure green (32-bit pixels: a pad
// byte, red, green, blue), and a tag after it.
swf::testing::MovieBuilder MovieWithGreenPicture() {
  using namespace swf::testing;
  Bytes pixels(200 * 100 * 4, 0);
  for (std::size_t green = 2; green < pixels.size(); green += 4) pixels[green] = 255;
  return MovieBuilder()
      .LongTag(20, Le16(1) + Bytes{5} + Le16(200) + Le16(100) + ZlibCompress(pixels))
      .Tag(1, {})
      .End();
}

TEST_F(RunningSaver, ShowsTheMoviesPicturesOverTheGlows) {
  PlantMovie(MovieWithGreenPicture().Cws());
  Start();
  ASSERT_NE(window_, nullptr);
  // The picture fades in over four seconds; at full strength it fills a box of 0.42 of the
  // screen's shorter side (430 pixels here), enlarged at most twice: 400 x 200 pixels, less what
  // the caption may cover.
  Picture shown;
  EXPECT_TRUE(PumpMessagesUntil(
      [&] {
        shown = CaptureScreen(VirtualScreen());
        return shown.PixelsNear(kPictureGreen, 2) >= 70000;
      },
      milliseconds(15000)))
      << "green pixels: " << shown.PixelsNear(kPictureGreen, 2);
  SaveBitmap(shown, ArtifactPath("glowdrift-saver-pictures.bmp"));
  EXPECT_LE(shown.PixelsNear(kPictureGreen, 2), 400u * 200u);
  EXPECT_GT(CaptionPixels(shown), 500u) << "the caption stays over the picture";
  EndWithKey();
  ExpectEnded();
}

// The movie ends inside its only picture (its last 15 bytes are the picture's last 11, a
// ShowFrame and an End tag): nothing of it can be shown, and the saver goes on with its glows.
TEST_F(RunningSaver, AMovieDamagedBeforeAnyPictureLeavesTheGlowsAlone) {
  std::vector<std::uint8_t> damaged = MovieWithGreenPicture().Fws();
  damaged.resize(damaged.size() - 15);
  PlantMovie(damaged);
  Start();
  ASSERT_NE(window_, nullptr);
  const Picture first = CaptureScreen(VirtualScreen());
  // Long enough for a picture to fade in half way, had the saver taken one.
  PumpMessagesFor(milliseconds(3000));
  const Picture later = CaptureScreen(VirtualScreen());
  EXPECT_TRUE(saver_->IsRunning());
  // Green of 155 or more, other channels of 100 or less: the picture from three quarters of its
  // strength; glows, which blend colours of green 150 at most, never reach it.
  EXPECT_EQ(later.PixelsNear(kPictureGreen, 100), 0u);
  EXPECT_GT(later.ShareOfChangedPixels(first), 0.05) << "the glows should drift";
  EndWithKey();
  ExpectEnded();
}

struct WakeCase {
  const char* what;
  std::function<void(HWND saver, POINT pointer)> act;
};

TEST_F(RunningSaver, EndsOnAKeyAClickTheWheelARealMouseMoveOrLosingTheKeyboard) {
  PlantMovie(100);
  const WakeCase cases[] = {
      {"key press",
       [](HWND saver, POINT) {
         BringToFront(saver);
         PressKey('A');
       }},
      {"left click", [](HWND, POINT) { ClickLeftButton(); }},
      {"wheel turned", [](HWND, POINT) { TurnWheel(); }},
      {"another window takes the keyboard",
       [](HWND saver, POINT) {
         // Kept in front until the saver has stepped aside (or the time is up).
         HostWindow other;
         ::SetForegroundWindow(other.Frame());
         PumpMessagesUntil([&] { return !::IsWindow(saver); });
       }},
      {"pointer put 100 pixels away by SetCursorPos",
       [](HWND, POINT pointer) {
         const POINT away = TowardsTheMiddle(pointer, 100, 60);
         PutCursorAt(away.x, away.y);
       }},
      {"mouse moved by 40 pixels",
       [](HWND, POINT pointer) {
         const POINT away = TowardsTheMiddle(pointer, 40, 0);
         MoveMouseBy(away.x - pointer.x, 0);
       }},
  };
  for (const WakeCase& wake : cases) {
    SCOPED_TRACE(wake.what);
    Start();
    ASSERT_NE(window_, nullptr);
    wake.act(window_, pointer_);
    ExpectEnded();
  }
}

TEST_F(RunningSaver, KeepsRunningWhenThePointerOnlyTwitches) {
  PlantMovie(100);
  const WakeCase cases[] = {
      {"mouse moved by nothing", [](HWND, POINT) { MoveMouseBy(0, 0); }},
      {"pointer put where it is", [](HWND, POINT pointer) { PutCursorAt(pointer.x, pointer.y); }},
      {"mouse moved by 3 pixels",
       [](HWND, POINT pointer) {
         const POINT away = TowardsTheMiddle(pointer, 3, 2);
         MoveMouseBy(away.x - pointer.x, away.y - pointer.y);
       }},
  };
  for (const WakeCase& twitch : cases) {
    SCOPED_TRACE(twitch.what);
    Start();
    ASSERT_NE(window_, nullptr);
    twitch.act(window_, pointer_);
    ExpectStillRunning();
    EndWithKey();
    ExpectEnded();
  }
}

}  // namespace
}  // namespace swivex::glowdrift::testing
