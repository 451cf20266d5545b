#include <gtest/gtest.h>

#include "common/FileNames.h"
#include "tests/support/RealPlatform.h"

namespace swivex::testing {
namespace {

// Windows' path rules with the lead bytes of code page 932 (Shift-JIS), on any system.
class ShiftJisWindowsPaths : public RealPlatform {
 public:
  bool IsLeadByte(unsigned char byte) override {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
  }
  char DirectorySeparator() override { return '\\'; }
};

// Windows' path rules with a single-byte code page.
class SingleByteWindowsPaths : public RealPlatform {
 public:
  bool IsLeadByte(unsigned char) override { return false; }
  char DirectorySeparator() override { return '\\'; }
};

struct ExtensionCase {
  const char* path;
  const char* extension;
  const char* expected;
};

TEST(ReplaceExtension, FollowsWindowsPathRules) {
  const ExtensionCase cases[] = {
      {"a.b", ".exe", "a.exe"},
      {"name.", ".exe", "name.exe"},
      {".hidden", ".exe", ".exe"},
      {"noext", ".exe", "noext.exe"},
      {"", ".exe", ".exe"},
      {"C:\\movies\\intro.swf", ".exe", "C:\\movies\\intro.exe"},
      {"C:\\x\\a.b\\file", ".swf", "C:\\x\\a.b\\file.swf"},
      {"C:\\x\\a.tar.gz", ".swf", "C:\\x\\a.tar.swf"},
      {"C:file", ".swf", "C:file.swf"},
      {"C:\\dir.d\\", ".swf", "C:\\dir.d\\.swf"},
      {"dir.d/file", ".exe", "dir.exe"},  // "/" is not a separator
      {"\\\\server\\share.x\\movie", ".exe", "\\\\server\\share.x\\movie.exe"},
  };
  SingleByteWindowsPaths platform;
  for (const auto& c : cases)
    EXPECT_EQ(ReplaceExtension(c.path, c.extension, platform), c.expected) << c.path;
}

TEST(FolderPart, KeepsEverythingUpToTheLastSeparatorOrColon) {
  SingleByteWindowsPaths platform;
  EXPECT_EQ(FolderPart("C:\\Program Files\\Swivex\\Swivex.exe", platform),
            "C:\\Program Files\\Swivex\\");
  EXPECT_EQ(FolderPart("C:Swivex.exe", platform), "C:");
  EXPECT_EQ(FolderPart("Swivex.exe", platform), "");
  EXPECT_EQ(FolderPart("a/b/c", platform), "");
  EXPECT_EQ(FolderPart("C:\\x\\", platform), "C:\\x\\");
}

// "\x95\x5C" is one Shift-JIS character whose trail byte is "\"; "\x82\x2E" is not a character
// but a lead byte followed by "." is still taken as one double-byte unit.
TEST(ReplaceExtension, SkipsTrailBytesOfDoubleByteCharacters) {
  ShiftJisWindowsPaths platform;
  EXPECT_EQ(ReplaceExtension("C:\\m\\\x95\x5C.swf", ".exe", platform), "C:\\m\\\x95\x5C.exe");
  EXPECT_EQ(ReplaceExtension("C:\\a.b\\\x95\x5C", ".swf", platform), "C:\\a.b\\\x95\x5C.swf");
  EXPECT_EQ(ReplaceExtension("C:\\m\\x\x82.", ".swf", platform), "C:\\m\\x\x82..swf");
  EXPECT_EQ(FolderPart("C:\\m\\\x95\x5C"
                       "file",
                       platform),
            "C:\\m\\");
}

#ifdef _WIN32
// Runs with a double-byte ANSI code page only (a test of its own, under LC_ALL=ja_JP.UTF-8).
TEST(CodePage932, SystemLeadBytesGuardTheSeparatorSearch) {
  ASSERT_TRUE(SystemPlatform().IsLeadByte(0x95)) << "the ANSI code page is not a double-byte one";
  EXPECT_EQ(ReplaceExtension("C:\\m\\\x95\x5C.swf", ".exe"), "C:\\m\\\x95\x5C.exe");
  EXPECT_EQ(ReplaceExtension("C:\\a.b\\\x95\x5C", ".swf"), "C:\\a.b\\\x95\x5C.swf");
  EXPECT_EQ(FolderPart("C:\\m\\\x95\x5C" "file"), "C:\\m\\");
}
#endif

}  // namespace
}  // namespace swivex::testing
