#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "swf/FirstFrame.h"
#include "swf/SwfError.h"
#include "tests/swf/MovieBuilder.h"

namespace swivex::swf::testing {
namespace {

constexpr std::uint16_t kShowFrame = 1;
constexpr std::uint16_t kDoAction = 12;
constexpr std::uint16_t kSetBackgroundColor = 9;

// ActionGetURL with its URL and target.
Bytes GetUrl(const std::string& url, const std::string& target) {
  return Action(0x83, ActionString(url) + ActionString(target));
}
// ActionPush of strings (type 0).
Bytes PushStrings(const std::vector<std::string>& texts) {
  Bytes fields;
  for (const std::string& text : texts) fields = fields + Bytes{0} + ActionString(text);
  return Action(0x96, fields);
}
const Bytes kGetUrl2 = Action(0x9A, {0x00});
const Bytes kActionEnd = {0x00};
const Bytes kFullScreen = GetUrl("FSCommand:fullscreen", "true");

// A first frame of `doActions`, ended by its ShowFrame unless `shown` is false.
MovieBuilder FrameOne(const std::vector<Bytes>& doActions, bool shown = true) {
  MovieBuilder movie;
  movie.Tag(kSetBackgroundColor, {0, 0, 0});
  for (const Bytes& actions : doActions) movie.Tag(kDoAction, actions + kActionEnd);
  if (shown) movie.Tag(kShowFrame, {});
  return movie;
}

struct RequestCase {
  const char* what;
  MovieBuilder movie;
  bool asks;
};

// The requests are read from the actions themselves; what the actions do in between is not run.
TEST(FirstFrame, AsksForFullScreenWhenItsActionsEndByAskingForIt) {
  const Bytes pool =
      Action(0x88, Le16(2) + ActionString("FSCommand:fullscreen") + ActionString("true"));
  const RequestCase cases[] = {
      {"no actions", FrameOne({}), false},
      {"as bytes",
       FrameOne({{0x83, 0x1A, 0x00, 'F', 'S', 'C', 'o', 'm', 'm',  'a', 'n', 'd', ':', 'f', 'u',
                  'l',  'l',  's',  'c', 'r', 'e', 'e', 'n', 0x00, 't', 'r', 'u', 'e', 0x00}}),
       true},
      {"in any case", FrameOne({GetUrl("fscommand:FullScreen", "TRUE")}), true},
      {"false", FrameOne({GetUrl("FSCommand:fullscreen", "false")}), false},
      {"no value", FrameOne({GetUrl("FSCommand:fullscreen", "")}), false},
      {"true then false", FrameOne({kFullScreen + GetUrl("FSCommand:fullscreen", "false")}), false},
      {"false then true", FrameOne({GetUrl("FSCommand:fullscreen", "false"), kFullScreen}), true},
      {"a longer command", FrameOne({GetUrl("FSCommand:fullscreens", "true")}), false},
      {"a shorter command", FrameOne({GetUrl("FSCommand:fullscree", "true")}), false},
      {"after the first frame", FrameOne({}).Tag(kDoAction, kFullScreen + kActionEnd).Tag(1, {}),
       false},
      {"without a ShowFrame", FrameOne({kFullScreen}, false), true},
      {"among other actions",
       FrameOne({Action(0x07) + PushStrings({"x"}) + kFullScreen + Action(0x06)}), true},
      {"getURL2 of pushed strings",
       FrameOne({PushStrings({"FSCommand:fullscreen", "true"}) + kGetUrl2}), true},
      {"getURL2 of strings pushed one by one",
       FrameOne({PushStrings({"FSCommand:fullscreen"}) + PushStrings({"true"}) + kGetUrl2}), true},
      {"getURL2 of constants",
       FrameOne({pool + Action(0x96, {0x08, 0x00, 0x09, 0x01, 0x00}) + kGetUrl2}), true},
      {"getURL2 of a constant past the pool",
       FrameOne({pool + Action(0x96, {0x08, 0x00, 0x08, 0x02}) + kGetUrl2}), false},
      {"getURL2 of a pushed true",
       FrameOne(
           {Action(0x96, Bytes{0x00} + ActionString("FSCommand:fullscreen") + Bytes{0x05, 0x01}) +
            kGetUrl2}),
       true},
      {"getURL2 of a value that was added up",
       FrameOne({PushStrings({"FSCommand:", "fullscreen"}) + Action(0x21) + PushStrings({"true"}) +
                 kGetUrl2}),
       false},
      {"getURL2 of a number",
       FrameOne(
           {PushStrings({"FSCommand:fullscreen"}) + Action(0x96, {0x07, 1, 0, 0, 0}) + kGetUrl2}),
       false},
      {"getURL2 past a value of no known type",
       FrameOne({Action(0x96, Bytes{0x00} + ActionString("FSCommand:fullscreen") + Bytes{0x00} +
                                  ActionString("true") + Bytes{0x0A}) +
                 kGetUrl2}),
       false},
      {"in a function's body",
       FrameOne({Action(0x9B, ActionString("f") + Le16(0) +
                                  Le16(static_cast<std::uint16_t>(kFullScreen.size()))) +
                 kFullScreen}),
       false},
      {"after a function's body",
       FrameOne({Action(0x9B, ActionString("f") + Le16(1) + ActionString("a") + Le16(1)) +
                 Action(0x17) + kFullScreen}),
       true},
      {"in a function's body of the second kind",
       FrameOne({Action(0x8E, ActionString("f") + Le16(1) + Bytes{0x02, 0x00, 0x00} + Bytes{0x01} +
                                  ActionString("a") +
                                  Le16(static_cast<std::uint16_t>(kFullScreen.size()))) +
                 kFullScreen}),
       false},
  };
  for (const RequestCase& tried : cases) {
    MovieBuilder movie = tried.movie;
    const Bytes file = movie.End().Fws();
    MemorySource source(file);
    EXPECT_EQ(ReadFirstFrame(source).asksFullScreen, tried.asks) << tried.what;
  }
}

struct Flavour {
  const char* name;
  std::function<Bytes(const MovieBuilder&)> write;
};

const Flavour kFlavours[] = {
    {"FWS", [](const MovieBuilder& m) { return m.Fws(); }},
    {"CWS", [](const MovieBuilder& m) { return m.Cws(); }},
    {"ZWS", [](const MovieBuilder& m) { return m.Zws(); }},
};

// A stage of 800 x 600 pixels: 16000 x 12000 twips in 15-bit fields.
const Bytes kFrame800x600 = {0x78, 0x00, 0x07, 0xD0, 0x00, 0x00, 0x17,
                             0x70, 0x00, 0x00, 0x18, 0x01, 0x00};

TEST(FirstFrame, IsReadFromEveryCompressionWithTheStage) {
  for (const Flavour& flavour : kFlavours) {
    for (const bool asks : {false, true}) {
      MovieBuilder movie(kFrame800x600);
      if (asks) movie.Tag(kDoAction, kFullScreen + kActionEnd);
      const Bytes file = flavour.write(movie.Tag(kShowFrame, {}).End());
      MemorySource source(file);
      const FirstFrame frame = ReadFirstFrame(source);
      EXPECT_EQ(frame.header.WidthPixels(), 800.0) << flavour.name;
      EXPECT_EQ(frame.header.HeightPixels(), 600.0) << flavour.name;
      EXPECT_EQ(frame.asksFullScreen, asks) << flavour.name;
    }
  }
}

struct DamageCase {
  const char* what;
  Bytes file;
  std::uint64_t offset;  // where the error says the damage is
};

// The first frame is read to its end, and no further.
TEST(FirstFrame, RaisesOnDamageInTheFirstFrameAlone) {
  const Bytes wholeMovie = FrameOne({kFullScreen}).End().Fws();
  const Bytes cut = Bytes(wholeMovie.begin(), wholeMovie.end() - 4);  // inside the ShowFrame
  // Tags at 21 (SetBackgroundColor, 5 bytes) and 26 (DoAction's header), the action at 28.
  const DamageCase cases[] = {
      {"not a movie", Bytes{'G', 'W', 'S', 10} + Le32(30) + Bytes(22, 0), 0},
      {"a string without its end",
       FrameOne({Action(0x83, ActionString("FSCommand:fullscreen") + Bytes{'t'})}).End().Fws(), 28},
      {"an action longer than its tag",
       MovieBuilder()
           .Tag(kSetBackgroundColor, {0, 0, 0})
           .Tag(kDoAction, Bytes{0x83, 0x10, 0x00, 'F', 0x00})
           .Tag(kShowFrame, {})
           .End()
           .Fws(),
       31},
      {"a function longer than its tag",
       FrameOne({Action(0x9B, ActionString("f") + Le16(0) + Le16(100))}).End().Fws(), 37},
      {"a movie cut inside the first frame", cut, 58},
  };
  for (const DamageCase& tried : cases) {
    MemorySource source(tried.file);
    try {
      ReadFirstFrame(source);
      ADD_FAILURE() << tried.what << ": no error";
    } catch (const ESwfError& error) {
      EXPECT_EQ(error.Offset(), tried.offset) << tried.what << ": " << error.what();
    }
  }
  const Bytes damagedLater =
      FrameOne({kFullScreen}).Tag(kShowFrame, {}).Raw(Bytes{0x3F, 0x03} + Le32(1000)).Fws();
  MemorySource later(damagedLater);
  EXPECT_TRUE(ReadFirstFrame(later).asksFullScreen) << "damage after the first frame";
}

}  // namespace
}  // namespace swivex::swf::testing
