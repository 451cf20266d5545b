// The module's page server as the saver's window uses it: the installed movie served from its
// own thread, and what the page tells posted to the window.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <memory>
#include <stdexcept>
#include <string>

#include "screensaver-module/MoviePageServer.h"
#include "tests/playback/HttpClient.h"
#include "tests/support/PollUntil.h"
#include "tests/support/RedRectangleMovie.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFiles.h"

namespace swivex::glowdrift {
namespace {

using namespace std::chrono_literals;
using testing::PageUrl;
using testing::ParsePageUrl;
using testing::PollUntil;
using testing::Request;
using testing::TempFolder;

// A window that only takes messages, as the saver's does from the server's thread.
class MessageWindow {
 public:
  MessageWindow()
      : window_(::CreateWindowExA(0, "STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  nullptr, nullptr)) {}
  MessageWindow(const MessageWindow&) = delete;
  MessageWindow& operator=(const MessageWindow&) = delete;
  ~MessageWindow() { ::DestroyWindow(window_); }

  HWND Get() const { return window_; }
  // Whether `message` arrives within `patience`; others of the page's are left waiting.
  bool Receives(UINT message, std::chrono::milliseconds patience) {
    MSG taken;
    return PollUntil(
        [&] { return ::PeekMessageA(&taken, window_, message, message, PM_REMOVE) != FALSE; },
        patience);
  }

 private:
  HWND window_;
};

class MoviePageServerTest : public ::testing::Test {
 protected:
  MoviePageServerTest() { testing::WriteBytes(moviePath_, testing::kRedRectangleMovie); }

  TempFolder folder_;
  const std::string moviePath_ = folder_ / "Glowdrift.swf";
  MessageWindow window_;
};

struct Tell {
  const char* name;
  UINT message;
};

// What is served is the playback room's (SaverServing); here, what the module adds: the
// messages.
TEST_F(MoviePageServerTest, PostsWhatThePageTells) {
  MoviePageServer server(moviePath_, SaverPageSettings{}, window_.Get());
  const PageUrl page = ParsePageUrl(server.Address());
  ASSERT_NE(page.port, 0u) << server.Address();

  const Tell tells[] = {{"first-frame", kPageFirstFrameMessage},
                        {"input", kPageInputMessage},
                        {"quit", kPageQuitMessage}};
  for (const Tell& tell : tells) {
    EXPECT_EQ(Request(page.port, "GET", page.base + "tell/" + tell.name).status, 204) << tell.name;
    EXPECT_TRUE(window_.Receives(tell.message, 5s)) << tell.name;
  }
}

TEST_F(MoviePageServerTest, StopsWithinAShortRound) {
  auto server = std::make_unique<MoviePageServer>(moviePath_, SaverPageSettings{}, window_.Get());
  const auto start = std::chrono::steady_clock::now();
  server.reset();
  EXPECT_LT(std::chrono::steady_clock::now() - start, 100ms);
}

TEST_F(MoviePageServerTest, RaisesAnErrorThatSaysWhyItCannotServe) {
  const std::string missing = folder_ / "missing.swf";
  try {
    MoviePageServer server(missing, SaverPageSettings{}, window_.Get());
    ADD_FAILURE() << "served a movie that is not there";
  } catch (const std::runtime_error& error) {
    const std::string expected =
        "The screen saver cannot play its movie. Cannot read the movie "
        "from \"" +
        missing + "\". ";
    EXPECT_EQ(std::string(error.what()).substr(0, expected.size()), expected) << error.what();
  }
}

}  // namespace
}  // namespace swivex::glowdrift
