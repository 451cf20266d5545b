// A projector that Swivex builds plays its movie by itself: it serves it with the Flash player it
// carries to the default browser (Wine's browser setting names a script that draws the page with
// Chromium), and ends once the page has gone. Against the running projector, over real sockets:
// what it serves, and what it refuses.
#include <gtest/gtest.h>
#include <windows.h>
#include <zlib.h>

#include <filesystem>
#include <string>

#include "tests/e2e/E2ePaths.h"
#include "tests/e2e/SwivexApp.h"
#include "tests/e2e/driver/Controls.h"
#include "tests/playback/HttpClient.h"
#include "tests/playback/RefusedPaths.h"
#include "tests/support/RedRectangleMovie.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFiles.h"

namespace swivex::e2e {
namespace {

using namespace std::chrono_literals;
using swivex::testing::AsText;
using swivex::testing::Bytes;
using swivex::testing::GetHead;
using swivex::testing::HttpConnection;
using swivex::testing::HttpResponse;
using swivex::testing::PageUrl;
using swivex::testing::ParsePageUrl;
using swivex::testing::ReadBytes;
using swivex::testing::Request;

std::string Scratch(const std::string& name) { return std::string(kPlaybackScratch) + name; }

std::string Gunzip(const std::string& gzip) {
  z_stream stream{};
  inflateInit2(&stream, 16 + MAX_WBITS);
  std::string plain(32 * 1024 * 1024, '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(gzip.data()));
  stream.avail_in = static_cast<uInt>(gzip.size());
  stream.next_out = reinterpret_cast<Bytef*>(plain.data());
  stream.avail_out = static_cast<uInt>(plain.size());
  const int result = inflate(&stream, Z_FINISH);
  plain.resize(result == Z_STREAM_END ? stream.total_out : 0);
  inflateEnd(&stream);
  return plain;
}

// The page's address, as the projector gave it to the browser.
PageUrl ReadAddress() {
  WaitUntil([] { return swivex::testing::Exists(Scratch("address.txt")); },
            "the projector to open its page in the browser", 60s);
  const std::string text = AsText(ReadBytes(Scratch("address.txt")));
  const PageUrl page = ParsePageUrl(text);
  EXPECT_NE(page.port, 0u) << text;
  EXPECT_EQ(page.base.size(), 34u) << "128 bits in hexadecimal between slashes: " << page.base;
  EXPECT_EQ(page.base.find_first_not_of("/0123456789abcdef"), std::string::npos) << page.base;
  return page;
}

// The share of pixels of the browser's 800 x 600 picture that are red.
double RedShare() {
  const Bytes pixels = ReadBytes(Scratch("projector-page.rgb"));
  EXPECT_EQ(pixels.size(), 800u * 600u * 3u);
  std::size_t red = 0;
  for (std::size_t at = 0; at + 2 < pixels.size(); at += 3)
    red += pixels[at] > 200 && pixels[at + 1] < 60 && pixels[at + 2] < 60 ? 1 : 0;
  return pixels.empty() ? 0 : static_cast<double>(red) / (pixels.size() / 3);
}

TEST(ProjectorPlaybackTest, PlaysItsMovieInTheBrowserServesItsFilesAndEndsWithThePage) {
  swivex::testing::TempFolder root;
  const std::filesystem::path work = root.Path() / "work";
  std::filesystem::create_directories(work / "sub");
  swivex::testing::WriteBytes((work / "red.swf").string(), swivex::testing::kRedRectangleMovie);
  swivex::testing::WriteBytes((work / "notes.xml").string(), Bytes{'<', 'n', '/', '>'});
  swivex::testing::WriteBytes((root.Path() / "secret.txt").string(), Bytes{'s'});
  {
    SwivexApp app;
    app.Pick(kSwfToExeButton, (work / "red.swf").string());
    app.WaitForTitledDialog().Press(IDOK);
    PostCommand(app.Window(), swivexui::kExit1);
    app.Process().WaitForExit();
  }
  for (const char* left : {"address.txt", "browser.done", "projector-page.rgb"})
    std::filesystem::remove(Scratch(left));

  RunningProgram projector((work / "red.exe").string(), work.string());
  const PageUrl page = ReadAddress();
  const std::string& base = page.base;
  // A page of the test's own holds the projector while the test looks at it.
  HttpConnection held(page.port);
  held.Send(GetHead(page.port, base + "events"));
  EXPECT_EQ(held.Receive().Header("Content-Type"), "text/event-stream");

  const HttpResponse movie = Request(page.port, "GET", base + "red.swf");
  EXPECT_EQ(movie.Header("Content-Type"), "application/x-shockwave-flash");
  EXPECT_EQ(movie.body, AsText(swivex::testing::kRedRectangleMovie));
  EXPECT_EQ(Request(page.port, "GET", base + "notes.xml").body, "<n/>");
  for (const char* file :
       {"ruffle.js", "core.ruffle.c80159b526e567babaf5.js", "826bb0938097485a2c9d.wasm"}) {
    const std::string package = AsText(ReadBytes(std::string(kRufflePackage) + file));
    EXPECT_EQ(Request(page.port, "GET", base + file).body, package) << file;
    const HttpResponse compressed =
        Request(page.port, "GET", base + file, "Accept-Encoding: gzip\r\n");
    EXPECT_EQ(compressed.Header("Content-Encoding"), "gzip") << file;
    EXPECT_EQ(Gunzip(compressed.body), package) << file;
  }
  EXPECT_EQ(Request(page.port, "GET", base + "red.swf", "Host: attacker.example\r\n").status, 403);
  EXPECT_EQ(Request(page.port, "GET", "/red.swf").status, 404);
  for (const auto& refused : swivex::testing::kRefusedPaths) {
    const HttpResponse response = Request(page.port, "GET", base + std::string(refused.encoded));
    EXPECT_EQ(response.status, 404) << refused.encoded << " (" << refused.why << ")";
  }

  WaitUntil([] { return swivex::testing::Exists(Scratch("browser.done")); },
            "the browser to draw the page", 120s);
  EXPECT_GT(RedShare(), 0.5) << "the movie's red rectangle fills most of the page; see "
                             << kArtifactsFolder << "projector-page.png";
  EXPECT_FALSE(projector.HasExited()) << "a page is still open";
  held.Close();
  EXPECT_EQ(projector.WaitForExit(30s), 0u) << "the projector ends soon after its last page";
}

}  // namespace
}  // namespace swivex::e2e
