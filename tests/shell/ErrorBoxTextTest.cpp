#include <gtest/gtest.h>

#include "shell/ErrorBoxText.h"

namespace swivex::testing {
namespace {

// A double-byte code page (Shift-JIS, 932) on any system.
bool ShiftJisLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool NoLeadByte(unsigned char) { return false; }

// A code page whose trail bytes may lie at or below ".": 0x81 starts a double-byte character.
bool LowTrailBytes(unsigned char byte) { return byte == 0x81; }

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
  for (const PeriodCase& c : cases) {
    EXPECT_EQ(ErrorBoxText(c.message, NoLeadByte), c.shown) << c.message;
  }
}

TEST(ErrorBoxText, ADoubleByteLastCharacterCountsByItsLeadByte) {
  // "\x95\x5C" is one character whose trail byte is a backslash; "\x82\xA0" ends in 0xA0.
  EXPECT_EQ(ErrorBoxText("C:\\\x95\x5C", ShiftJisLeadByte), "C:\\\x95\x5C.");
  EXPECT_EQ(ErrorBoxText("\x82\xA0", ShiftJisLeadByte), "\x82\xA0.");

  // With trail bytes that may lie at or below ".", only the walk from the start tells a trail
  // byte from a character of its own.
  EXPECT_EQ(ErrorBoxText("text\x81!", LowTrailBytes), "text\x81!.");  // one character, lead 0x81
  EXPECT_EQ(ErrorBoxText("text\x81\x81!", LowTrailBytes), "text\x81\x81!");  // 0x81 0x81, then "!"
  EXPECT_EQ(ErrorBoxText("text\x81", LowTrailBytes), "text\x81.");  // a lead byte with no trail
  EXPECT_EQ(ErrorBoxText("text\x81!", NoLeadByte), "text\x81!");
}

}  // namespace
}  // namespace swivex::testing
