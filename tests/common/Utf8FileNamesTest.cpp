// The file-name rules with the system's own lead-byte test under the UTF-8 code page, in a
// program whose manifest asks for it as Swivex.exe's does.
#include <gtest/gtest.h>
#include <windows.h>

#include "common/FileNames.h"
#include "platform/SystemFiles.h"

namespace swivex::testing {
namespace {

struct NameCase {
  const char* path;
  const char* withExe;  // ReplaceExtension(path, ".exe")
  const char* folder;   // FolderPart(path)
};

// The names hold characters whose last byte is a lead byte of code page 932 (さ = E3 81 95,
// ら = E3 82 89, Й = D0 99): a test that took such a byte for one would swallow the "." or "\"
// after it. ά = CE AC and 😀 = F0 9F 98 80 stand for the other scripts.
TEST(CodePageUtf8, LeadByteRulesLeaveUtf8NamesWhole) {
  ASSERT_EQ(::GetACP(), static_cast<UINT>(CP_UTF8)) << "the manifest's code page is not in force";
  const PathSyntax system = SystemFiles().Syntax();
  for (int byte = 0; byte < 256; ++byte)
    EXPECT_FALSE(system.isLeadByte(static_cast<unsigned char>(byte))) << byte;

  const NameCase cases[] = {
      {"C:\\\xE3\x81\x95\\\xE3\x81\x95\xE3\x81\x8F\xE3\x82\x89.swf",
       "C:\\\xE3\x81\x95\\\xE3\x81\x95\xE3\x81\x8F\xE3\x82\x89.exe", "C:\\\xE3\x81\x95\\"},
      {"C:\\\xE3\x82\x89.d\\x", "C:\\\xE3\x82\x89.d\\x.exe", "C:\\\xE3\x82\x89.d\\"},
      {"C:\\\xD0\x99\\\xCE\xAC.swf", "C:\\\xD0\x99\\\xCE\xAC.exe", "C:\\\xD0\x99\\"},
      {"C:\\\xF0\x9F\x98\x80\\\xF0\x9F\x98\x80.swf", "C:\\\xF0\x9F\x98\x80\\\xF0\x9F\x98\x80.exe",
       "C:\\\xF0\x9F\x98\x80\\"},
  };
  for (const NameCase& c : cases) {
    EXPECT_EQ(ReplaceExtension(c.path, ".exe", system), c.withExe) << c.path;
    EXPECT_EQ(FolderPart(c.path, system), c.folder) << c.path;
  }
}

}  // namespace
}  // namespace swivex::testing
