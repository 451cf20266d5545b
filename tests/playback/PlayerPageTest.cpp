#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "playback/PlayerPage.h"

namespace swivex::testing {
namespace {

enum class Kind { Projector, ProjectorAfterClick, Web, SilentSaver, SaverWithSound };

bool Write(Kind kind, std::string_view title, std::string_view movie, TextBuffer& page) {
  switch (kind) {
    case Kind::Projector:
      return WritePlayerPage(title, movie, PageSound::Plays, page);
    case Kind::ProjectorAfterClick:
      return WritePlayerPage(title, movie, PageSound::AfterClick, page);
    case Kind::Web:
      return WriteWebPage(title, movie, page);
    case Kind::SilentSaver:
    case Kind::SaverWithSound:
      return WriteSaverPage(title, movie, kind == Kind::SaverWithSound, page);
  }
  return false;
}

std::string Written(Kind kind, std::string_view title = "intro",
                    std::string_view movie = "intro.swf") {
  std::vector<char> storage(kPlayerPageCapacity);
  TextBuffer page(storage.data(), storage.size());
  EXPECT_TRUE(Write(kind, title, movie, page));
  return std::string(page.View());
}

bool Has(const std::string& page, const std::string& part) {
  return page.find(part) != std::string::npos;
}

struct NameCase {
  std::string title;
  std::string expectedTitle;
  std::string expectedMovie;
};

// Names in any script are passed on as their bytes, escaped where HTML or a URL needs it; a name
// that looks like a place of the template is filled once.
TEST(PlayerPage, IsTitledWithTheProjectorAndLoadsItsMovieFromBesideIt) {
  const NameCase cases[] = {
      {"Tom & Jerry <\"1\"> 'x'",
       "<title>Tom &amp; Jerry &lt;&quot;1&quot;&gt; &#39;x&#39;</title>",
       "const movie = \"Tom%20%26%20Jerry%20%3C%221%22%3E%20%27x%27.swf\";"},
      {"\xE6\x97\xA5\xE6\x9C\xAC", "<title>\xE6\x97\xA5\xE6\x9C\xAC</title>",
       "const movie = \"%E6%97%A5%E6%9C%AC.swf\";"},
      {"{{movie}}", "<title>{{movie}}</title>", "const movie = \"%7B%7Bmovie%7D%7D.swf\";"},
  };
  for (const NameCase& tried : cases) {
    const std::string page = Written(Kind::Projector, tried.title, tried.title + ".swf");
    EXPECT_TRUE(Has(page, tried.expectedTitle)) << tried.title;
    EXPECT_TRUE(Has(page, tried.expectedMovie)) << tried.title;
  }
}

struct PageCase {
  const char* name;
  std::string page;
  std::vector<std::string> present;
  std::vector<std::string> absent;
};

// Every page plays at once, on black from the first paint, names the player's licences and takes
// the movie's fscommand calls under a policy that runs no script made from text; the projector's
// plays its sound, with nothing in front of the movie unless the browser may hold the sound back,
// shows the projector's icon, fits its window to the movie, acts on the projector's commands and
// holds the stream open, and so does the web folder's, but for the stream and the icon and with
// the overlay that a browser may need; the saver's is silent unless its settings say otherwise,
// shows nothing in front of the movie, no menu, opens no web address and tells what happens.
TEST(PlayerPage, EachProgramsPageHasItsSettingsAndScriptAndNoOther) {
  const std::vector<std::string> shared = {
      "autoplay: \"on\"",
      "splashScreen: false",
      "letterbox: \"on\"",
      "urlRewriteRules: [[/^javascript:[\\s\\S]*$/i, \"#\"]],",
      "<link rel=\"license\" href=\"licences.html\">",
      "<a href=\"licences.html\">Licences of the Flash player Ruffle</a>",
      "allowScriptAccess: true,",
      "<meta http-equiv=\"Content-Security-Policy\" content=\"script-src 'self' 'unsafe-inline' "
      "'wasm-unsafe-eval' blob:\">",
  };
  const std::vector<std::string> saverOnly = {
      "contextMenu: \"off\"",
      "openUrlMode: \"deny\"",
      "window.open = function () { return null; };",
      "\"contextmenu\", function (event) { event.preventDefault(); }",
      "tell(\"first-frame\")",
      "the screen saver carries"};
  const std::string icon = "<link rel=\"icon\" href=\"icon.ico\">";
  const std::vector<std::string> projectorOnly = {"window.resizeTo(", "the projector carries",
                                                  icon};
  const std::string stream = "const name = \"events\";";
  const std::vector<std::string> webOnly = {"const name = \"\";",
                                            "The Flash player Ruffle did not start here.",
                                            "a page opened as a file\n(file://) cannot load it."};
  const auto joined = [](std::vector<std::string> first, const std::vector<std::string>& more) {
    first.insert(first.end(), more.begin(), more.end());
    return first;
  };
  const std::string hidden = "unmuteOverlay: \"hidden\"";
  const std::string visible = "unmuteOverlay: \"visible\"";
  const PageCase cases[] = {
      {"projector", Written(Kind::Projector),
       joined(joined(shared, projectorOnly), {"volume = 1;", stream, hidden}),
       joined(joined(saverOnly, webOnly), {"volume = 0;", visible})},
      {"projector in the default browser", Written(Kind::ProjectorAfterClick),
       joined(joined(shared, projectorOnly), {"volume = 1;", stream, visible}),
       joined(joined(saverOnly, webOnly), {"volume = 0;", hidden})},
      {"web folder", Written(Kind::Web),
       joined(joined(shared, webOnly),
              {"window.resizeTo(", "volume = 1;", "const movie = \"intro.swf\";", visible}),
       joined(saverOnly, {stream, "the projector carries", icon, "volume = 0;", hidden})},
      {"silent saver", Written(Kind::SilentSaver),
       joined(joined(shared, saverOnly), {"volume = 0;", stream, hidden}),
       joined(joined(projectorOnly, webOnly), {"volume = 1;", visible})},
      {"saver with sound", Written(Kind::SaverWithSound),
       joined(joined(shared, saverOnly), {"volume = 1;", stream, hidden}),
       joined(joined(projectorOnly, webOnly), {"volume = 0;", visible})},
  };
  for (const PageCase& tried : cases) {
    for (const std::string& part : tried.present)
      EXPECT_TRUE(Has(tried.page, part)) << tried.name << ": " << part;
    for (const std::string& part : tried.absent)
      EXPECT_FALSE(Has(tried.page, part)) << tried.name << ": " << part;
    EXPECT_FALSE(Has(tried.page, "{{")) << tried.name;
    // Black before anything of the body is drawn.
    EXPECT_LT(
        tried.page.find("html, body { margin: 0; width: 100%; height: 100%; overflow: hidden; "
                        "background: #000; }"),
        tried.page.find("<body>"))
        << tried.name;
  }
}

// The longest name, each byte of it at its longest in HTML (6 bytes) and in a URL (3), fits
// every page; a room too small for a page is reported.
TEST(PlayerPage, ReportsAPageThatDoesNotFitItsRoom) {
  const std::string longest(2047, '"');
  std::vector<char> storage(kPlayerPageCapacity);
  for (const Kind kind : {Kind::ProjectorAfterClick, Kind::Web, Kind::SaverWithSound}) {
    TextBuffer fits(storage.data(), storage.size());
    EXPECT_TRUE(Write(kind, longest, longest, fits)) << static_cast<int>(kind);
    TextBuffer small(storage.data(), 1000);
    EXPECT_FALSE(Write(kind, "intro", "intro.swf", small)) << static_cast<int>(kind);
  }
}

}  // namespace
}  // namespace swivex::testing
