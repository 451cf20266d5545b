// A web folder that swivexc writes, served as it is by python3 -m http.server to Debian's
// chromium, headless, through the DevTools pipe: the movie draws, and the page asks the server
// for nothing but the folder's files.
#include <gtest/gtest.h>

#include <chrono>
#include <regex>
#include <string>
#include <vector>

#include "tests/console/ProgramRun.h"
#include "tests/console/SwivexcPath.h"
#include "tests/playback/DevToolsPipe.h"
#include "tests/support/PollUntil.h"
#include "tests/support/RedRectangleMovie.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFiles.h"

namespace swivex::testing {
namespace {

using namespace std::chrono_literals;

// The movie's stage, which the page's viewport is given: the movie fills it.
constexpr int kWidth = 550;
constexpr int kHeight = 400;

// The port that python's server names in its first line ("Serving HTTP on 127.0.0.1 port N"),
// once it has; 0 before.
unsigned PortSaidIn(const std::string& output) {
  if (!Exists(output)) return 0;
  std::smatch found;
  const std::string said = AsText(ReadBytes(output));
  if (!std::regex_search(said, found, std::regex("port ([0-9]+)"))) return 0;
  return static_cast<unsigned>(std::stoul(found[1]));
}

TEST(WebFolder, PlaysItsMovieFromAStaticServerAtLocalhost) {
  TempFolder work;
  WriteBytes(work / "red.swf", kRedRectangleMovie);
  const ProgramResult written = RunProgram(kSwivexc, {"web", "red.swf", "-o", "site"}, work / "");
  ASSERT_EQ(written.exitCode, 0) << written.output << written.error;
  EXPECT_EQ(
      NamesIn(work / "site"),
      (std::vector<std::string>{"826bb0938097485a2c9d.wasm", "core.ruffle.c80159b526e567babaf5.js",
                                "index.html", "licences.html", "red.swf", "ruffle.js"}));

  // Its output goes to site.out and its log of requests to site.err, beside the folder.
  StartedProgram server("/usr/bin/python3", {"-u", "-m", "http.server", "0", "--bind", "127.0.0.1"},
                        work / "site");
  unsigned port = 0;
  ASSERT_TRUE(PollUntil([&] { return (port = PortSaidIn(work / "site.out")) != 0; }, 30s))
      << "python's server did not start";

  DevToolsPipe browser(work / "profile");
  const std::string session =
      browser.OpenTab("http://localhost:" + std::to_string(port) + "/", kWidth, kHeight);
  ASSERT_FALSE(session.empty()) << "no tab";
  // The rectangle of 500 x 360 pixels from (25, 20) on the white stage, which fills the page.
  EXPECT_TRUE(PollUntil([&] { return browser.PixelAt(session, 275, 200) == 0xFF0000; }, 60s))
      << "the movie did not draw";
  EXPECT_EQ(browser.PixelAt(session, 24, 200), 0xFFFFFF);
  EXPECT_EQ(browser.PixelAt(session, 25, 200), 0xFF0000);
  EXPECT_EQ(browser.PixelAt(session, 275, 19), 0xFFFFFF);
  EXPECT_EQ(browser.PixelAt(session, 524, 379), 0xFF0000);

  const std::string log = AsText(ReadBytes(work / "site.err"));
  for (const char* file : {"/ ", "/ruffle.js ", "/core.ruffle.c80159b526e567babaf5.js ",
                           "/826bb0938097485a2c9d.wasm ", "/red.swf "})
    EXPECT_NE(log.find(std::string("\"GET ") + file + "HTTP/1.1\" 200"), std::string::npos)
        << file << " in:\n"
        << log;
  EXPECT_EQ(log.find("events"), std::string::npos) << "the page asked for its stream:\n" << log;
}

}  // namespace
}  // namespace swivex::testing
