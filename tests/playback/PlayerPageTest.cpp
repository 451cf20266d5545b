#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "playback/PlayerPage.h"

namespace swivex::testing {
namespace {

std::string Page(std::string_view title, std::string_view movie) {
  std::vector<char> storage(kPlayerPageCapacity);
  TextBuffer page(storage.data(), storage.size());
  EXPECT_TRUE(WritePlayerPage(title, movie, page));
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
  EXPECT_TRUE(Has(page, "new URL(\"events\", location.href)"));
  EXPECT_TRUE(Has(Page("{{movie}}", "a.swf"), "<title>{{movie}}</title>")) << "filled once";
}

TEST(PlayerPage, PlaysAtOnceWithSoundAndNothingInFrontOfTheMovie) {
  const std::string page = Page("intro", "intro.swf");
  for (const char* setting : {"autoplay: \"on\"", "unmuteOverlay: \"hidden\"",
                              "splashScreen: false", "letterbox: \"on\""})
    EXPECT_TRUE(Has(page, setting)) << setting;
  EXPECT_TRUE(Has(page, "background: #000;"));
  EXPECT_TRUE(Has(page, "window.resizeTo("));
  EXPECT_TRUE(Has(page, "This movie cannot be played in this browser window."));
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
  EXPECT_TRUE(WritePlayerPage(longest, longest, fits));
  TextBuffer small(storage.data(), 1000);
  EXPECT_FALSE(WritePlayerPage("intro", "intro.swf", small));
}

}  // namespace
}  // namespace swivex::testing
