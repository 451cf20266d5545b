#include <gtest/gtest.h>

#include "shell/ErrorBoxText.h"
#include "tests/support/RealPlatform.h"

namespace swivex::testing {
namespace {

// A double-byte code page (Shift-JIS, 932) on any system.
class ShiftJis : public RealPlatform {
 public:
  bool IsLeadByte(unsigned char byte) override {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
  }
};

class SingleByte : public RealPlatform {
 public:
  bool IsLeadByte(unsigned char) override { return false; }
};

// A code page whose trail bytes may lie at or below ".": 0x81 starts a double-byte character.
class LowTrailBytes : public RealPlatform {
 public:
  bool IsLeadByte(unsigned char byte) override { return byte == 0x81; }
};

struct PeriodCase {
  const char* message;
  const char* shown;
};

TEST(ErrorBoxText, AddsAPeriodOnlyAfterBytesAboveThePeriod) {
  const PeriodCase cases[] = {
      {"Stream read error", "Stream read error."},
      {"Failed to set data for 'SCRNSAVE.EXE'", "Failed to set data for 'SCRNSAVE.EXE'"},
      {"Cannot open file \"C:\\a.swf\". File not found",
       "Cannot open file \"C:\\a.swf\". File not found."},
      {"Already ends.", "Already ends."},
      {"Converted!", "Converted!"},
      {"(in brackets)", "(in brackets)"},
      {"trailing blank ", "trailing blank "},
      {"ends in a comma,", "ends in a comma,"},
      {"ends in a hyphen-", "ends in a hyphen-"},
      {"ends in a slash/", "ends in a slash/."},
      {"digit 7", "digit 7."},
      {"colon:", "colon:."},
      {"question?", "question?."},
      {"tilde~", "tilde~."},
      {"line\r\n", "line\r\n"},
      {"high \xE9", "high \xE9."},
      {"", ""},
      {".", "."},
      {"/", "/."},
  };
  SingleByte platform;
  for (const PeriodCase& c : cases) {
    EXPECT_EQ(ErrorBoxText(c.message, platform), c.shown) << c.message;
  }
}

TEST(ErrorBoxText, ADoubleByteLastCharacterCountsByItsLeadByte) {
  ShiftJis shiftJis;
  // "\x95\x5C" is one character whose trail byte is a backslash; "\x82\xA0" ends in 0xA0.
  EXPECT_EQ(ErrorBoxText("C:\\\x95\x5C", shiftJis), "C:\\\x95\x5C.");
  EXPECT_EQ(ErrorBoxText("\x82\xA0", shiftJis), "\x82\xA0.");

  // With trail bytes that may lie at or below ".", only the walk from the start tells a trail
  // byte from a character of its own.
  LowTrailBytes lowTrail;
  EXPECT_EQ(ErrorBoxText("text\x81!", lowTrail), "text\x81!.");         // one character, lead 0x81
  EXPECT_EQ(ErrorBoxText("text\x81\x81!", lowTrail), "text\x81\x81!");  // 0x81 0x81, then "!"
  EXPECT_EQ(ErrorBoxText("text\x81", lowTrail), "text\x81.");           // a lead byte with no trail
  SingleByte singleByte;
  EXPECT_EQ(ErrorBoxText("text\x81!", singleByte), "text\x81!");
}

}  // namespace
}  // namespace swivex::testing
