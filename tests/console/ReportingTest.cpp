#include <gtest/gtest.h>

#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

#include "console/JsonText.h"
#include "console/ProgressLine.h"
#include "console/Utf8Output.h"
#include "platform/SystemConsole.h"
#include "tests/console/RecordingConsole.h"

namespace swivex::console {
namespace {

using swivex::testing::RecordingConsole;
using swivex::testing::TestStops;

constexpr std::uint64_t kMiB = 1024 * 1024;

TEST(ProgressLine, ShowsFilesOverSixtyFourMebibytesOnATerminalOnly) {
  struct Case {
    bool terminal;
    std::uint64_t total;
    const char* shown;
  };
  const Case cases[] = {
      {true, 64 * kMiB, ""},
      {true, 64 * kMiB + 1, "\rbig: 0%\rbig: 50%\rbig: 100%\n"},
      {false, 64 * kMiB + 1, ""},
      {false, 4096 * kMiB, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.total);
    RecordingConsole console(c.terminal);
    TestStops noStops;
    {
      ProgressLine progress(console, noStops, "big");
      progress.Advance(0, c.total);
      progress.Advance(1, c.total);  // still 0%: not written again
      progress.Advance(c.total / 2 + 1, c.total);
      progress.Advance(c.total, c.total);
    }
    EXPECT_EQ(console.error, c.shown);
    EXPECT_EQ(console.output, "");
  }
}

TEST(ProgressLine, FailureHalfWayEndsTheLine) {
  RecordingConsole console(true);
  TestStops noStops;
  {
    ProgressLine progress(console, noStops, "f");
    progress.Advance(0, 100 * kMiB);
  }
  EXPECT_EQ(console.error, "\rf: 0%\n");
}

TEST(JsonText, StringsAreEscapedAndNumbersExact) {
  EXPECT_EQ(JsonString("a\"b\\c"), R"("a\"b\\c")");
  EXPECT_EQ(JsonString(std::string("\x01\n\x1f ", 4)), R"("\u0001\u000a\u001f ")");
  EXPECT_EQ(JsonString("\xe6\x98\xa0\xe7\x94\xbb"), "\"\xe6\x98\xa0\xe7\x94\xbb\"");
  // "\x95\x5C" is one Shift-JIS character, whose trail byte is "\\"; a lone lead byte at the end
  // is a byte like any other.
  const auto shiftJisLeadByte = [](unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
  };
  EXPECT_EQ(JsonString("\x95\x5C\\\x95", shiftJisLeadByte), "\"\x95\x5C\\\\\x95\"");
  EXPECT_EQ(JsonNumber(550), "550");
  EXPECT_EQ(JsonNumber(-0.05), "-0.05");
  EXPECT_EQ(JsonNumber(0x7FFFFFFF / 20.0), "107374182.35");
  EXPECT_EQ(JsonNumber(0xFFFF / 256.0), "255.99609375");
  EXPECT_EQ(JsonNumber(1 / 256.0), "0.00390625");
}

// Each byte sequence that is no character becomes one U+FFFD per maximal subpart: the lead
// byte's ranges at their edges, surrogates, overlong forms, code points past U+10FFFF and
// characters cut off.
TEST(ValidUtf8, ReplacesWhatIsNoCharacter) {
  const std::string r = "\xEF\xBF\xBD";
  const struct {
    std::string text;
    std::string valid;
  } cases[] = {
      {"intro.swf", "intro.swf"},
      {"\xC2\x80 \xDF\xBF \xE0\xA0\x80 \xED\x9F\xBF \xEE\x80\x80 \xEF\xBF\xBF",
       "\xC2\x80 \xDF\xBF \xE0\xA0\x80 \xED\x9F\xBF \xEE\x80\x80 \xEF\xBF\xBF"},
      {"\xF0\x90\x80\x80 \xF4\x8F\xBF\xBF", "\xF0\x90\x80\x80 \xF4\x8F\xBF\xBF"},
      {"a\x80"
       "b\xBF"
       "c\xFF",
       "a" + r + "b" + r + "c" + r},
      {"\xC0\x80\xC1\xBF", r + r + r + r},
      {"\xE0\x9F\xBF", r + r + r},
      {"\xED\xA0\x80", r + r + r},
      {"\xF0\x8F\xBF\xBF", r + r + r + r},
      {"\xF4\x90\x80\x80\xF5\x80", r + r + r + r + r + r},
      {"\xE6\x98.swf", r + ".swf"},
      {"\xF0\x9F\x98", r},
  };
  for (const auto& c : cases) EXPECT_EQ(ValidUtf8(c.text), c.valid) << c.text;
}

// Natively names are bytes. A Windows whose ANSI code page is another gives them in that one:
// Wine's default, 1252, for a program without the UTF-8 manifest, and 932 in a run of its own
// (LC_ALL=ja_JP.UTF-8), where "\x95\x5C" is one character.
TEST(SystemConsole, GivesTheSystemsTextAsUtf8) {
  SystemConsole console;
#ifdef _WIN32
  switch (::GetACP()) {
    case 1252:
      EXPECT_EQ(console.Utf8FromSystem("caf\xE9 \x80.swf"), "caf\xC3\xA9 \xE2\x82\xAC.swf");
      break;
    case 932:
      EXPECT_EQ(console.Utf8FromSystem("\x95\x5C.swf"), "\xE8\xA1\xA8.swf");
      break;
    default:
      FAIL() << "no case for the code page " << ::GetACP();
  }
#else
  EXPECT_EQ(console.Utf8FromSystem("caf\xE9 \x80.swf"), "caf\xE9 \x80.swf");
#endif
}

}  // namespace
}  // namespace swivex::console
