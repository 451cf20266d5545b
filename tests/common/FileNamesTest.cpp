#include <gtest/gtest.h>

#include "common/FileNames.h"
#include "platform/PathSyntax.h"
#include "platform/SystemFiles.h"

namespace swivex::testing {
namespace {

bool ShiftJisLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool NoLeadByte(unsigned char) { return false; }

// Windows' path rules with the lead bytes of code page 932 (Shift-JIS), on any system.
constexpr PathSyntax kShiftJisWindowsPaths{'\\', ShiftJisLeadByte};
// Windows' path rules with a single-byte code page.
constexpr PathSyntax kSingleByteWindowsPaths{'\\', NoLeadByte};

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
  for (const auto& c : cases)
    EXPECT_EQ(ReplaceExtension(c.path, c.extension, kSingleByteWindowsPaths), c.expected) << c.path;
}

TEST(FolderPart, KeepsEverythingUpToTheLastSeparatorOrColon) {
  const PathSyntax& windows = kSingleByteWindowsPaths;
  EXPECT_EQ(FolderPart("C:\\Program Files\\Swivex\\Swivex.exe", windows),
            "C:\\Program Files\\Swivex\\");
  EXPECT_EQ(FolderPart("C:Swivex.exe", windows), "C:");
  EXPECT_EQ(FolderPart("Swivex.exe", windows), "");
  EXPECT_EQ(FolderPart("a/b/c", windows), "");
  EXPECT_EQ(FolderPart("C:\\x\\", windows), "C:\\x\\");
}

// ":" ends a drive's name on Windows only; elsewhere it is a character like any other.
TEST(FolderDelimiters, ColonEndsADriveOnWindowsOnly) {
  constexpr PathSyntax kPosixPaths{'/', NoLeadByte, false};
  struct Case {
    const PathSyntax* syntax;
    const char* path;
    const char* folder;
    const char* withExe;
  };
  const Case cases[] = {
      {&kPosixPaths, "c:intro.swf", "", "c:intro.exe"},
      {&kPosixPaths, "a:b/c:d.swf", "a:b/", "a:b/c:d.exe"},
      {&kPosixPaths, "m/x.y:z", "m/", "m/x.exe"},
      {&kPosixPaths, "m/name:", "m/", "m/name:.exe"},
      {&kSingleByteWindowsPaths, "c:intro.swf", "c:", "c:intro.exe"},
      {&kSingleByteWindowsPaths, "C:\\m\\x.y:z", "C:\\m\\x.y:", "C:\\m\\x.y:z.exe"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(FolderPart(c.path, *c.syntax), c.folder);
    EXPECT_EQ(ReplaceExtension(c.path, ".exe", *c.syntax), c.withExe);
  }
  // The system's own syntax follows its system's rule.
#ifdef _WIN32
  EXPECT_EQ(FolderPart("c:intro.swf", SystemFiles().Syntax()), "c:");
#else
  EXPECT_EQ(FolderPart("c:intro.swf", SystemFiles().Syntax()), "");
#endif
}

// "\x95\x5C" is one Shift-JIS character whose trail byte is "\"; "\x82\x2E" is not a character
// but a lead byte followed by "." is still taken as one double-byte unit.
TEST(ReplaceExtension, SkipsTrailBytesOfDoubleByteCharacters) {
  const PathSyntax& shiftJis = kShiftJisWindowsPaths;
  EXPECT_EQ(ReplaceExtension("C:\\m\\\x95\x5C.swf", ".exe", shiftJis), "C:\\m\\\x95\x5C.exe");
  EXPECT_EQ(ReplaceExtension("C:\\a.b\\\x95\x5C", ".swf", shiftJis), "C:\\a.b\\\x95\x5C.swf");
  EXPECT_EQ(ReplaceExtension("C:\\m\\x\x82.", ".swf", shiftJis), "C:\\m\\x\x82..swf");
  EXPECT_EQ(FolderPart("C:\\m\\\x95\x5C"
                       "file",
                       shiftJis),
            "C:\\m\\");
}

#ifdef _WIN32
// Runs with a double-byte ANSI code page only (a test of its own, under LC_ALL=ja_JP.UTF-8).
TEST(CodePage932, SystemLeadBytesGuardTheSeparatorSearch) {
  const PathSyntax system = SystemFiles().Syntax();
  ASSERT_TRUE(system.isLeadByte(0x95)) << "the ANSI code page is not a double-byte one";
  EXPECT_EQ(ReplaceExtension("C:\\m\\\x95\x5C.swf", ".exe", system), "C:\\m\\\x95\x5C.exe");
  EXPECT_EQ(ReplaceExtension("C:\\a.b\\\x95\x5C", ".swf", system), "C:\\a.b\\\x95\x5C.swf");
  EXPECT_EQ(FolderPart("C:\\m\\\x95\x5C"
                       "file",
                       system),
            "C:\\m\\");
}
#endif

}  // namespace
}  // namespace swivex::testing
