#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "playback/PlayerPage.h"

namespace swivex::testing {
namespace {

std::string Page(std::string_view title, std::string_view movie,
                 PageSound sound = PageSound::Plays) {
  std::vector<char> storage(kPlayerPageCapacity);
  TextBuffer page(storage.data(), storage.size());
  EXPECT_TRUE(WritePlayerPage(title, movie, sound, page));
  return std::string(page.View());
}

std::string WebPage() {
  std::vector<char> storage(kPlayerPageCapacity);
  TextBuffer page(storage.data(), storage.size());
  EXPECT_TRUE(WriteWebPage("intro", "intro.swf", page));
  return std::string(page.View());
}

bool Has(const std::string& page, const std::string& part) {
  return page.find(part) != std::string::npos;
}

TEST(PlayerPage, IsTitledWithTheProjectorAndLoadsItsMovieFromBesideIt) {
  const std::string page = Page("Tom & Jerry <\"1\"> 'x'", "Tom & Jerry <\"1\"> 'x'.swf");
  EXPECT_TRUE(Has(page, "<title>Tom &amp; Jerry &lt;&quot;1&quot;&gt; &#39;x&#39;</title>"));
  EXPECT_TRUE(Has(page, "const movie = \"Tom%20%26%20Jerry%20%3C%221%22%3E%20%27x%27.swf\";"));
  EXPECT_TRUE(Has(page, "<script src=\"ruffle.js\""));
  EXPECT_TRUE(Has(Page("{{movie}}", "a.swf"), "<title>{{movie}}</title>")) << "filled once";
}

std::string SaverPage(bool sound) {
  std::vector<char> storage(kPlayerPageCapacity);
  TextBuffer page(storage.data(), storage.size());
  EXPECT_TRUE(WriteSaverPage("Glowdrift", "Glowdrift.swf", sound, page));
  return std::string(page.View());
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
      "addFSCommandHandler",
      "This movie cannot be played in this browser window.",
      "<script src=\"ruffle.js\""};
  const std::vector<std::string> saverOnly = {
      "contextMenu: \"off\"",
      "openUrlMode: \"deny\"",
      "window.open = function () { return null; };",
      "\"contextmenu\", function (event) { event.preventDefault(); }",
      "fetch(\"tell/\" + what",
      "tell(\"first-frame\")",
      "=== \"quit\") tell(\"quit\")",
      "[\"keydown\", \"mousedown\", \"pointerdown\", \"wheel\"]",
      "> 8 || Math.abs(y - start.y) > 8) input();",
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
      {"projector", Page("intro", "intro.swf"),
       joined(joined(shared, projectorOnly), {"volume = 1;", stream, hidden}),
       joined(joined(saverOnly, webOnly), {"volume = 0;", visible})},
      {"projector in the default browser", Page("intro", "intro.swf", PageSound::AfterClick),
       joined(joined(shared, projectorOnly), {"volume = 1;", stream, visible}),
       joined(joined(saverOnly, webOnly), {"volume = 0;", hidden})},
      {"web folder", WebPage(),
       joined(joined(shared, webOnly),
              {"window.resizeTo(", "volume = 1;", "const movie = \"intro.swf\";", visible}),
       joined(saverOnly, {stream, "the projector carries", icon, "volume = 0;", hidden})},
      {"silent saver", SaverPage(false),
       joined(joined(shared, saverOnly), {"volume = 0;", stream, hidden}),
       joined(joined(projectorOnly, webOnly), {"volume = 1;", visible})},
      {"saver with sound", SaverPage(true),
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

TEST(PlayerPage, NamesInAnyScriptArePassedOnAsTheirBytes) {
  const std::string page = Page("\xE6\x97\xA5\xE6\x9C\xAC", "\xE6\x97\xA5\xE6\x9C\xAC.swf");
  EXPECT_TRUE(Has(page, "<title>\xE6\x97\xA5\xE6\x9C\xAC</title>"));
  EXPECT_TRUE(Has(page, "\"%E6%97%A5%E6%9C%AC.swf\""));
}

TEST(PlayerPage, ReportsAPageThatDoesNotFitItsRoom) {
  std::vector<char> storage(kPlayerPageCapacity);
  const std::string longest(2047, '&');  // the longest name, each byte 5 in HTML and 3 in a URL
  TextBuffer fits(storage.data(), storage.size());
  EXPECT_TRUE(WritePlayerPage(longest, longest, PageSound::AfterClick, fits));
  TextBuffer saver(storage.data(), storage.size());
  EXPECT_TRUE(WriteSaverPage(longest, longest, false, saver));
  TextBuffer web(storage.data(), storage.size());
  EXPECT_TRUE(WriteWebPage(longest, longest, web));
  TextBuffer small(storage.data(), 1000);
  EXPECT_FALSE(WritePlayerPage("intro", "intro.swf", PageSound::Plays, small));
  TextBuffer smallSaver(storage.data(), 1000);
  EXPECT_FALSE(WriteSaverPage("intro", "intro.swf", true, smallSaver));
  TextBuffer smallWeb(storage.data(), 1000);
  EXPECT_FALSE(WriteWebPage("intro", "intro.swf", smallWeb));
}

}  // namespace
}  // namespace swivex::testing
