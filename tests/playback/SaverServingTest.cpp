// The screen saver's page served over real sockets on 127.0.0.1, with the system's files:
// natively, and under Windows with Winsock and the Win32 file calls.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "playback/SaverServing.h"
#include "playback/SystemServer.h"
#include "tests/playback/HttpClient.h"
#include "tests/playback/SaverRounds.h"
#include "tests/support/PollUntil.h"
#include "tests/support/RedRectangleMovie.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFiles.h"

#ifdef _WIN32
#include "playback/WindowsFileSystem.h"
using SystemFiles = swivex::WindowsFileSystem;
#else
#include "playback/PosixFileSystem.h"
using SystemFiles = swivex::PosixFileSystem;
#endif

namespace swivex::testing {
namespace {

using namespace std::chrono_literals;

// Served as they are to a client that takes gzip: their bytes need not be gzip's.
const unsigned char kPlayerBytes[] = {'p', 'l', 'a', 'y', 'e', 'r'};
const PlayerFile kPlayer[] = {{"ruffle.js", "text/javascript", kPlayerBytes}};

// The installed movie in a folder with a file beside it, served in rounds that count what the
// page tells.
class SaverServingTest : public ::testing::Test {
 protected:
  SaverServingTest() {
    WriteBytes(folder_ / "Glowdrift.swf", kRedRectangleMovie);
    WriteBytes(folder_ / "notes.xml", Bytes{'<', 'n', '/', '>'});
  }

  void Serve() {
    BoundedText failure;
    ASSERT_TRUE(serving_->Start((folder_ / "Glowdrift.swf").c_str(), kPlayer, false, failure))
        << failure.CStr();
    page_ = ParsePageUrl(serving_->Address().CStr());
    ASSERT_NE(page_.port, 0u) << serving_->Address().CStr();
    rounds_.emplace(*serving_);
  }

  TempFolder folder_;
  SystemFiles files_;
  SystemServer network_;
  std::unique_ptr<SaverServing> serving_ = std::make_unique<SaverServing>(network_, files_);
  PageUrl page_;
  std::optional<SaverRounds> rounds_;
};

struct Tried {
  const char* what;
  std::string target;  // after "/TOKEN/"
  int status;
  std::string body;
  int firstFrames;  // what the page has told once the request is answered, counted
  int inputs;
  int quits;
};

TEST_F(SaverServingTest, ServesThePagePlayerAndMovieAloneAndTakesTheTellsUnderTheToken) {
  ASSERT_NO_FATAL_FAILURE(Serve());
  const std::string movie = AsText(kRedRectangleMovie);
  const Tried cases[] = {
      {"the player", "ruffle.js", 200, "player", 0, 0, 0},
      {"the movie", "Glowdrift.swf", 200, movie, 0, 0, 0},
      {"a file beside the movie", "notes.xml", 404, "", 0, 0, 0},
      {"an icon, which it has not", "icon.ico", 404, "", 0, 0, 0},
      {"the first frame", "tell/first-frame", 204, "", 1, 0, 0},
      {"input", "tell/input", 204, "", 1, 1, 0},
      {"input again, taken once a round", "tell/input?second", 204, "", 1, 2, 0},
      {"quit", "tell/quit", 204, "", 1, 2, 1},
  };
  // One connection for all: a 204 that sent anything after its head would spoil the next answer.
  HttpConnection connection(page_.port);
  for (const Tried& tried : cases) {
    connection.Send(GetHead(page_.port, page_.base + tried.target, "Accept-Encoding: gzip\r\n"));
    const HttpResponse response = connection.Receive();
    EXPECT_EQ(response.status, tried.status) << tried.what;
    EXPECT_EQ(response.body, tried.body) << tried.what;
    if (tried.status == 204) {
      EXPECT_EQ(response.headers.count("content-length"), 0u) << tried.what;
      EXPECT_EQ(response.headers.count("content-type"), 0u) << tried.what;
    }
    ASSERT_TRUE(rounds_->WaitForRounds());
    EXPECT_EQ(rounds_->Told(PageTell::FirstFrame), tried.firstFrames) << tried.what;
    EXPECT_EQ(rounds_->Told(PageTell::Input), tried.inputs) << tried.what;
    EXPECT_EQ(rounds_->Told(PageTell::Quit), tried.quits) << tried.what;
  }
  const HttpResponse page = Request(page_.port, "GET", page_.base);
  EXPECT_EQ(page.status, 200);
  EXPECT_NE(page.body.find("<title>Glowdrift</title>"), std::string::npos);
  EXPECT_NE(page.body.find("const movie = \"Glowdrift.swf\";"), std::string::npos);
  EXPECT_NE(page.body.find("volume = 0;"), std::string::npos) << "silent unless asked";
}

struct Refusal {
  const char* what;
  std::string movie;
  std::uintmax_t size;  // of the movie made for the case
  bool player;
  std::string failure;  // how the reason begins; empty: served
};

TEST_F(SaverServingTest, SaysWhyItCannotServe) {
  const std::string missing = folder_ / "missing.swf";
  const std::string largest = folder_ / "largest.swf";
  const std::string larger = folder_ / "larger.swf";
  const Refusal cases[] = {
      {"a movie of 4 GB less a byte", largest, 0xFFFF'FFFFu, true, ""},
      {"a movie of 4 GB", larger, 0x1'0000'0000u, true,
       "The movie \"" + larger + "\" is larger than 4 GB."},
      {"no movie", missing, 0, true, "Cannot read the movie from \"" + missing + "\". "},
      {"no player", folder_ / "Glowdrift.swf", 0, false,
       "The Flash player's files are missing from the program."},
  };
  for (const Refusal& tried : cases) {
    if (tried.size > 0) {
      WriteBytes(tried.movie, {});
      std::filesystem::resize_file(tried.movie, tried.size);  // sparse: no disk is taken
    }
    SaverServing serving(network_, files_);
    BoundedText failure;
    const bool served = serving.Start(
        tried.movie.c_str(),
        tried.player ? std::span<const PlayerFile>(kPlayer) : std::span<const PlayerFile>(), false,
        failure);
    EXPECT_EQ(served, tried.failure.empty()) << tried.what;
    EXPECT_EQ(std::string(failure.CStr()).substr(0, tried.failure.size()), tried.failure)
        << tried.what << ": " << failure.CStr();
    if (!tried.failure.empty()) {
      EXPECT_EQ(failure.CStr()[failure.Length() - 1], '.') << tried.what << ": a sentence";
    }
  }
}

}  // namespace
}  // namespace swivex::testing
