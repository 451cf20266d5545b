#include <gtest/gtest.h>

#include <string>

#include "console/JsonText.h"
#include "console/ProgressLine.h"

namespace swivex::console {
namespace {

class RecordingConsole final : public Console {
 public:
  explicit RecordingConsole(bool terminal) : terminal_(terminal) {}
  ErrorCode Write(ConsoleStream stream, std::string_view text) override {
    (stream == ConsoleStream::kError ? error : output).append(text);
    return 0;
  }
  bool IsTerminal(ConsoleStream) override { return terminal_; }
  std::string Utf8FromSystem(std::string_view text) override { return std::string(text); }

  std::string output;
  std::string error;

 private:
  bool terminal_;
};

class NoStops final : public StopRequests {
 public:
  StopRequest Requested() override { return StopRequest::kNone; }
};

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
    NoStops noStops;
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
  NoStops noStops;
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
  EXPECT_EQ(JsonNumber(550), "550");
  EXPECT_EQ(JsonNumber(-0.05), "-0.05");
  EXPECT_EQ(JsonNumber(0x7FFFFFFF / 20.0), "107374182.35");
  EXPECT_EQ(JsonNumber(0xFFFF / 256.0), "255.99609375");
  EXPECT_EQ(JsonNumber(1 / 256.0), "0.00390625");
}

}  // namespace
}  // namespace swivex::console
