#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "resources/Version.h"
#include "ui/FileVersion.h"

namespace swivex::testing {
namespace {

// This test program is built with the program's own version block.
std::string ThisProgram() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

std::string BesideThisProgram(const std::string& name) {
  const std::string self = ThisProgram();
  return self.substr(0, self.find_last_of('\\') + 1) + name;
}

// The whole version block of a file, for looking at more than FileVersion.
std::vector<char> VersionBlock(const std::string& path) {
  DWORD handle = 0;
  std::vector<char> block(GetFileVersionInfoSizeA(path.c_str(), &handle));
  if (!block.empty()) GetFileVersionInfoA(path.c_str(), 0, block.size(), block.data());
  return block;
}

std::string QueryText(std::vector<char>& block, const std::string& query) {
  char* text = nullptr;
  UINT length = 0;
  if (block.empty() ||
      !VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&text), &length)) {
    return "<none>";
  }
  return text;
}

TEST(GetFileVersionText, GivesTheFileVersionOfTheWindows1252StringTableOrNothing) {
  struct Case {
    const char* what;
    std::string path;
    const char* text;
  };
  const Case cases[] = {
      {"this test program, built with the program's version block", ThisProgram(), "1.0.1.7"},
      {"the program itself", SWIVEX_PROGRAM_EXE, "1.0.1.7"},
      {"no version block", BesideThisProgram("file_version_without_block.exe"), ""},
      {"only a Unicode string table", BesideThisProgram("file_version_other_table.exe"), ""},
      {"no such file", BesideThisProgram("no such program.exe"), ""},
      {"a file that is no program", "C:\\windows\\win.ini", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GetFileVersionText(c.path), c.text) << c.what << ": " << c.path;
  }
}

// So that an empty result above means "wrong table", not "no block".
TEST(GetFileVersionText, OtherTableProgramHasAVersionBlockAfterAll) {
  std::vector<char> block = VersionBlock(BesideThisProgram("file_version_other_table.exe"));
  ASSERT_FALSE(block.empty());
  EXPECT_EQ(QueryText(block, "\\StringFileInfo\\040904B0\\FileVersion"), "9.8.7.6");
  EXPECT_EQ(QueryText(block, "\\StringFileInfo\\040904E4\\FileVersion"), "<none>");
}

TEST(VersionBlock, HoldsTheVersionTextsInOneUsEnglishWindows1252Table) {
  std::vector<char> block = VersionBlock(ThisProgram());
  ASSERT_FALSE(block.empty());
  const std::string table = "\\StringFileInfo\\040904E4\\";
  EXPECT_EQ(QueryText(block, table + "FileVersion"), "1.0.1.7");
  EXPECT_EQ(QueryText(block, table + "ProductName"), "Swivex");
  EXPECT_EQ(QueryText(block, table + "OriginalFilename"), "Swivex.exe");
  EXPECT_EQ(QueryText(block, table + "CompanyName"), SWIVEX_COMPANY_NAME);
  EXPECT_EQ(QueryText(block, table + "FileDescription"), SWIVEX_FILE_DESCRIPTION);
  // The copyright sign survives as the Windows-1252 byte 0xA9.
  EXPECT_EQ(QueryText(block, table + "LegalCopyright"), "Copyright \xA9 2026 Swivex developers");

  WORD* translations = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation",
                             reinterpret_cast<void**>(&translations), &length));
  ASSERT_EQ(length, 2 * sizeof(WORD)) << "exactly one language and code page";
  EXPECT_EQ(translations[0], 0x0409);
  EXPECT_EQ(translations[1], 1252);
  EXPECT_EQ(QueryText(block, "\\StringFileInfo\\040904B0\\FileVersion"), "<none>");
}

TEST(VersionBlock, FixedPartGivesFileVersion1_0_1_7) {
  std::vector<char> block = VersionBlock(ThisProgram());
  ASSERT_FALSE(block.empty());
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(MAKELONG(0, 1)));
  EXPECT_EQ(fixed->dwFileVersionLS, static_cast<DWORD>(MAKELONG(7, 1)));
  EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
  EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);
}

// Version.h is the version's one source; the build's project() repeats it.
TEST(VersionBlock, VersionHeaderAgreesWithTheBuild) {
  EXPECT_STREQ(SWIVEX_VERSION_TEXT, "1.0.1.7");
  EXPECT_STREQ(SWIVEX_VERSION_TEXT, SWIVEX_PROJECT_VERSION);
}

}  // namespace
}  // namespace swivex::testing
