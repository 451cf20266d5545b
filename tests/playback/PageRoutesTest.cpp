#include <gtest/gtest.h>

#include <string>

#include "playback/PageRoutes.h"
#include "tests/playback/RefusedPaths.h"

namespace swivex::testing {
namespace {

constexpr char kToken[] = "0123456789abcdef0123456789abcdef";
const PlayerFile kPlayer[] = {{"ruffle.js", "text/javascript", {}},
                              {"core.ruffle.1.js", "text/javascript", {}},
                              {"licences.html", "text/html", {}}};
// A projector serves the files in its folder; the screen saver serves nothing beside its movie.
const PageAddress kAddress{kToken, 51234, "intro film.swf", kPlayer, "C:\\Games\\"};
const PageAddress kSaverAddress{kToken, 51234, "intro film.swf", kPlayer};

Route RouteOf(const char* method, const std::string& target, const std::string& host,
              const std::string& extra = "", const PageAddress& address = kAddress) {
  const std::string head =
      std::string(method) + " " + target + " HTTP/1.1\r\nHost: " + host + "\r\n" + extra + "\r\n";
  HttpRequest request;
  EXPECT_EQ(ParseRequestHead(head, request), HeadParse::Complete) << head;
  Route route;
  RouteRequest(request, address, route);
  return route;
}

Route Get(const std::string& path, const PageAddress& address = kAddress) {
  return RouteOf("GET", std::string("/") + kToken + "/" + path, "127.0.0.1:51234", "", address);
}

struct Answer {
  int status;
  Resource resource;
};

struct Expected {
  std::string path;
  Answer projector;
  Answer saver;
  std::string served = "";  // the decoded path, for a file beside the projector
  PageTell tell = PageTell::FirstFrame;
};

constexpr Answer kRefused{404, Resource::None};

// The served paths of the saver (only page, player, movie, and the page's stream and tells)
// against the projector's, which also serves every file in its folder and below it.
TEST(PageRoutes, ServesThePagePlayerMovieAndTellsAndOnlyAProjectorServesFilesBesideIt) {
  const Expected cases[] = {
      {"", {200, Resource::Page}, {200, Resource::Page}},
      {"?reload=1", {200, Resource::Page}, {200, Resource::Page}},
      {"events", {200, Resource::Events}, {200, Resource::Events}},
      {"intro%20film.swf", {200, Resource::Movie}, {200, Resource::Movie}},
      {"intro%20film.swf?a=b", {200, Resource::Movie}, {200, Resource::Movie}},
      {"ruffle.js", {200, Resource::PlayerFile}, {200, Resource::PlayerFile}},
      {"core.ruffle.1.js", {200, Resource::PlayerFile}, {200, Resource::PlayerFile}},
      {"licences.html", {200, Resource::PlayerFile}, {200, Resource::PlayerFile}},
      {"icon.ico", {200, Resource::Icon}, {200, Resource::Icon}},
      {"icon.ICO", {200, Resource::BesideFile}, kRefused, "icon.ICO"},
      {"sub/icon.ico", {200, Resource::BesideFile}, kRefused, "sub/icon.ico"},
      {"tell/first-frame", {204, Resource::Tell}, {204, Resource::Tell}, "", PageTell::FirstFrame},
      {"tell/input", {204, Resource::Tell}, {204, Resource::Tell}, "", PageTell::Input},
      {"tell/input?at=1", {204, Resource::Tell}, {204, Resource::Tell}, "", PageTell::Input},
      {"tell/quit", {204, Resource::Tell}, {204, Resource::Tell}, "", PageTell::Quit},
      {"tell/%71uit", {204, Resource::Tell}, {204, Resource::Tell}, "", PageTell::Quit},
      {"tell/QUIT", {200, Resource::BesideFile}, kRefused, "tell/QUIT"},
      {"tell/resize", {200, Resource::BesideFile}, kRefused, "tell/resize"},
      {"tell", {200, Resource::BesideFile}, kRefused, "tell"},
      {"intro%20film.SWF", {200, Resource::BesideFile}, kRefused, "intro film.SWF"},
      {"notes.xml", {200, Resource::BesideFile}, kRefused, "notes.xml"},
      {"sounds/intro%20theme.mp3", {200, Resource::BesideFile}, kRefused, "sounds/intro theme.mp3"},
      {"a/b/c/d.txt", {200, Resource::BesideFile}, kRefused, "a/b/c/d.txt"},
      {"v1.2/notes.txt", {200, Resource::BesideFile}, kRefused, "v1.2/notes.txt"},
      {"Glowdrift.scr", {200, Resource::BesideFile}, kRefused, "Glowdrift.scr"},
      {"console.xml", {200, Resource::BesideFile}, kRefused, "console.xml"},
      {"COM10.txt", {200, Resource::BesideFile}, kRefused, "COM10.txt"},
      {"LPT.txt", {200, Resource::BesideFile}, kRefused, "LPT.txt"},
      {"%E6%97%A5%E6%9C%AC.swf",
       {200, Resource::BesideFile},
       kRefused,
       "\xE6\x97\xA5\xE6\x9C\xAC.swf"},
      {"%61" + std::string(1023, 'a'),
       {200, Resource::BesideFile},
       kRefused,
       std::string(1024, 'a')},
  };
  for (const Expected& tried : cases) {
    for (const bool saver : {false, true}) {
      const Route route = Get(tried.path, saver ? kSaverAddress : kAddress);
      const Answer& expected = saver ? tried.saver : tried.projector;
      const char* const who = saver ? "saver: " : "projector: ";
      EXPECT_EQ(route.status, expected.status) << who << tried.path;
      EXPECT_EQ(route.resource, expected.resource) << who << tried.path;
      if (route.resource == Resource::BesideFile) {
        EXPECT_EQ(route.path.View(), tried.served);
      }
      if (route.resource == Resource::Tell) {
        EXPECT_EQ(route.tell, tried.tell) << tried.path;
      }
    }
  }
  EXPECT_EQ(Get("core.ruffle.1.js").playerFile, 1u);
  EXPECT_EQ(Get("licences.html").playerFile, 2u);
}

TEST(PageRoutes, RefusesEveryPathThatNamesNoFileBesideTheProjector) {
  for (const RefusedPath& refused : kRefusedPaths) {
    const Route route = Get(std::string(refused.encoded));
    EXPECT_EQ(route.status, 404) << refused.encoded << " (" << refused.why << ")";
    EXPECT_EQ(route.resource, Resource::None) << refused.encoded;
  }
}

struct StatusCase {
  const char* method;
  std::string target;
  const char* host;
  const char* extra;
  int status;
};

TEST(PageRoutes, AnswersOnlyItsOwnAddressMethodsAndToken) {
  const std::string page = std::string("/") + kToken + "/";
  const StatusCase cases[] = {
      {"GET", page, "127.0.0.1:51234", "", 200},
      {"GET", page, "localhost:51234", "", 200},
      {"GET", page, "LocalHost:51234", "", 200},
      {"GET", page, "127.0.0.1:51235", "", 403},
      {"GET", page, "127.0.0.1:051234", "", 403},
      {"GET", page, "127.0.0.1", "", 403},
      {"GET", page, "127.0.0.1:", "", 403},
      {"GET", page, "example.com:51234", "", 403},
      {"GET", page, "attacker.example", "", 403},
      {"GET", page, "127.0.0.2:51234", "", 403},
      {"GET", page, "[::1]:51234", "", 403},
      {"GET", page, "", "", 403},
      {"POST", page, "127.0.0.1:51234", "", 405},
      {"PUT", page, "127.0.0.1:51234", "", 405},
      {"OPTIONS", page, "127.0.0.1:51234", "", 405},
      {"POST", page, "evil.example", "", 403},
      {"HEAD", page, "127.0.0.1:51234", "", 200},
      {"GET", page, "127.0.0.1:51234", "Content-Length: 5\r\n", 400},
      {"GET", "/", "127.0.0.1:51234", "", 404},
      {"GET", "/favicon.ico", "127.0.0.1:51234", "", 404},
      {"GET", std::string("/") + kToken, "127.0.0.1:51234", "", 404},
      {"GET", std::string("/") + kToken + "x/", "127.0.0.1:51234", "", 404},
      {"GET", std::string("/") + std::string(kToken).substr(1) + "/", "127.0.0.1:51234", "", 404},
      {"GET", std::string("/x/") + kToken + "/", "127.0.0.1:51234", "", 404},
      {"GET", std::string("http://127.0.0.1:51234/") + kToken + "/", "127.0.0.1:51234", "", 404},
      {"GET", page + "tell/input", "127.0.0.1:51234", "", 204},
      {"GET", "/tell/input", "127.0.0.1:51234", "", 404},
      {"GET", std::string("/") + std::string(kToken).substr(1) + "/tell/input", "127.0.0.1:51234",
       "", 404},
      {"GET", page + "tell/input", "attacker.example:51234", "", 403},
      {"GET", page + "tell/quit", "127.0.0.1:51235", "", 403},
      {"HEAD", page + "tell/quit", "127.0.0.1:51234", "", 204},
      {"POST", page + "tell/quit", "127.0.0.1:51234", "", 405},
      {"GET", page + "tell/quit", "127.0.0.1:51234", "Transfer-Encoding: chunked\r\n", 400},
  };
  for (const StatusCase& tried : cases) {
    EXPECT_EQ(RouteOf(tried.method, tried.target, tried.host, tried.extra).status, tried.status)
        << tried.method << " " << tried.target << " Host: " << tried.host << " " << tried.extra;
  }
}

}  // namespace
}  // namespace swivex::testing
