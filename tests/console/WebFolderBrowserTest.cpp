// A web folder that swivexc writes, served as it is by python3 -m http.server to Debian's
// chromium, headless, through the DevTools pipe: the movie draws, and the page asks the server
// for nothing but the folder's files.
#include <gtest/gtest.h>

#include <chrono>
#include <regex>
#include <string>
#include <vector>

#include "pictures/JpegPicture.h"
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

// The share of the page's pixels that are the movie's red, from a screenshot; -1 without one.
double RedShare(DevToolsPipe& browser, const std::string& session) {
  const std::string shot =
      browser.Call("Page.captureScreenshot", "{\"format\":\"jpeg\",\"quality\":90}", session);
  const std::vector<unsigned char> jpeg = FromBase64(JsonString(shot, "data"));
  if (jpeg.empty()) return -1;
  const BgraImage image = DecodeJpeg(jpeg, 4096 * 4096);
  std::size_t red = 0;
  for (std::size_t at = 0; at + 3 < image.pixels.size(); at += 4) {
    const std::uint8_t blue = image.pixels[at];
    const std::uint8_t green = image.pixels[at + 1];
    if (image.pixels[at + 2] > 200 && green < 60 && blue < 60) ++red;
  }
  return static_cast<double>(red) / (static_cast<double>(image.width) * image.height);
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
  const std::string target =
      JsonString(browser.Call("Target.createTarget", "{\"url\":\"about:blank\"}"), "targetId");
  const std::string session = JsonString(
      browser.Call("Target.attachToTarget", "{\"targetId\":\"" + target + "\",\"flatten\":true}"),
      "sessionId");
  ASSERT_FALSE(session.empty()) << "no tab";
  browser.Call("Emulation.setDeviceMetricsOverride",
               "{\"width\":" + std::to_string(kWidth) + ",\"height\":" + std::to_string(kHeight) +
                   ",\"deviceScaleFactor\":1,\"mobile\":false}",
               session);
  browser.Call("Page.navigate", "{\"url\":\"http://localhost:" + std::to_string(port) + "/\"}",
               session);

  // The rectangle covers 500 x 360 of the stage's 550 x 400 pixels: 81.8%.
  double share = 0;
  EXPECT_TRUE(PollUntil([&] { return (share = RedShare(browser, session)) > 0.5; }, 60s))
      << "the movie did not draw: " << share;
  EXPECT_NEAR(share, 0.818, 0.02);

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
