#include <gtest/gtest.h>

#include <optional>

#include "platform/PathSyntax.h"
#include "projector/ConversionKind.h"

namespace swivex::testing {
namespace {

bool ShiftJisLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

constexpr PathSyntax kShiftJisWindowsPaths{'\\', ShiftJisLeadByte};

constexpr auto kBuild = ConversionKind::SwfToExe;
constexpr auto kExtract = ConversionKind::ExeToSwf;

TEST(ConversionForFile, GoesByTheLastComponentsExtensionInAnyCase) {
  struct Case {
    const char* path;
    std::optional<ConversionKind> kind;
    const char* target;  // for a kind
  };
  const Case cases[] = {
      {"C:\\m\\intro.swf", kBuild, "C:\\m\\intro.exe"},
      {"C:\\m\\INTRO.SWF", kBuild, "C:\\m\\INTRO.exe"},
      {"C:\\m\\game.exe", kExtract, "C:\\m\\game.swf"},
      {"C:\\m\\Game.eXe", kExtract, "C:\\m\\Game.swf"},
      {"C:\\m\\a.txt.swf", kBuild, "C:\\m\\a.txt.exe"},
      {"C:\\m\\.swf", kBuild, "C:\\m\\.exe"},
      {"C:intro.swf", kBuild, "C:intro.exe"},
      {"C:\\m\\notes.txt", std::nullopt, nullptr},
      {"C:\\m\\a.swf.txt", std::nullopt, nullptr},
      {"C:\\m\\a.swfx", std::nullopt, nullptr},
      {"C:\\m\\a.sw", std::nullopt, nullptr},
      {"C:\\m\\swf", std::nullopt, nullptr},
      {"C:\\m\\a.swf\\", std::nullopt, nullptr},
      {"C:\\m.swf\\file", std::nullopt, nullptr},  // a folder's extension is not the file's
      {"", std::nullopt, nullptr},
      // The "." after a lead byte is its trail byte: the name has no extension.
      {"C:\\m\\a\x95.swf", std::nullopt, nullptr},
      {"C:\\m\\\x95\x5C.swf", kBuild, "C:\\m\\\x95\x5C.exe"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(ConversionForFile(c.path, kShiftJisWindowsPaths), c.kind);
    if (c.kind) {
      EXPECT_EQ(ConversionTarget(*c.kind, c.path, kShiftJisWindowsPaths), c.target);
    }
  }
}

// A menu command chooses the conversion whatever the file's name, and names the target alike.
TEST(ConversionTarget, GivesTheKindsExtensionToAnyName) {
  EXPECT_EQ(ConversionTarget(kBuild, "C:\\m\\movie.bin", kShiftJisWindowsPaths),
            "C:\\m\\movie.exe");
  EXPECT_EQ(ConversionTarget(kExtract, "C:\\m.d\\player", kShiftJisWindowsPaths),
            "C:\\m.d\\player.swf");
  EXPECT_EQ(ConversionTarget(kExtract, "C:\\m\\intro.swf", kShiftJisWindowsPaths),
            "C:\\m\\intro.swf");
}

}  // namespace
}  // namespace swivex::testing
