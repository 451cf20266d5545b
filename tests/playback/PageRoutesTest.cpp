#include <gtest/gtest.h>

#include <string>

#include "playback/PageRoutes.h"
#include "tests/playback/RefusedPaths.h"

namespace swivex::testing {
namespace {

constexpr char kToken[] = "0123456789abcdef0123456789abcdef";
const PlayerFile kPlayer[] = {{"ruffle.js", "text/javascript", {}},
                              {"core.ruffle.1.js", "text/javascript", {}}};
const PageAddress kAddress{kToken, 51234, "intro film.swf", kPlayer};

Route RouteOf(const char* method, const std::string& target, const std::string& host,
              const std::string& extra = "") {
  const std::string head =
      std::string(method) + " " + target + " HTTP/1.1\r\nHost: " + host + "\r\n" + extra + "\r\n";
  HttpRequest request;
  EXPECT_EQ(ParseRequestHead(head, request), HeadParse::Complete) << head;
  Route route;
  RouteRequest(request, kAddress, route);
  return route;
}

Route Get(const std::string& path) {
  return RouteOf("GET", std::string("/") + kToken + "/" + path, "127.0.0.1:51234");
}

struct Expected {
  std::string path;
  Resource resource;
  std::string served;  // the decoded path, for a file beside the projector
};

TEST(PageRoutes, ServesThePagePlayerMovieStreamAndFilesBesideTheProjector) {
  const Expected cases[] = {
      {"", Resource::Page, ""},
      {"?reload=1", Resource::Page, ""},
      {"events", Resource::Events, ""},
      {"intro%20film.swf", Resource::Movie, ""},
      {"intro%20film.swf?a=b", Resource::Movie, ""},
      {"ruffle.js", Resource::PlayerFile, ""},
      {"core.ruffle.1.js", Resource::PlayerFile, ""},
      {"notes.xml", Resource::BesideFile, "notes.xml"},
      {"sounds/intro%20theme.mp3", Resource::BesideFile, "sounds/intro theme.mp3"},
      {"a/b/c/d.txt", Resource::BesideFile, "a/b/c/d.txt"},
      {"v1.2/notes.txt", Resource::BesideFile, "v1.2/notes.txt"},
      {"console.xml", Resource::BesideFile, "console.xml"},
      {"COM10.txt", Resource::BesideFile, "COM10.txt"},
      {"LPT.txt", Resource::BesideFile, "LPT.txt"},
      {"%E6%97%A5%E6%9C%AC.swf", Resource::BesideFile, "\xE6\x97\xA5\xE6\x9C\xAC.swf"},
      {"%61" + std::string(1023, 'a'), Resource::BesideFile, std::string(1024, 'a')},
  };
  for (const Expected& tried : cases) {
    const Route route = Get(tried.path);
    EXPECT_EQ(route.status, 200) << tried.path;
    EXPECT_EQ(route.resource, tried.resource) << tried.path;
    if (tried.resource == Resource::BesideFile) {
      EXPECT_EQ(route.path.View(), tried.served);
    }
  }
  EXPECT_EQ(Get("core.ruffle.1.js").playerFile, 1u);
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
  };
  for (const StatusCase& tried : cases) {
    EXPECT_EQ(RouteOf(tried.method, tried.target, tried.host, tried.extra).status, tried.status)
        << tried.method << " " << tried.target << " Host: " << tried.host << " " << tried.extra;
  }
}

}  // namespace
}  // namespace swivex::testing
