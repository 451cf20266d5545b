// Whether two paths name one file, as the system's file systems decide it.
#include <gtest/gtest.h>
#ifdef _WIN32
#include <windows.h>
#endif

#include "platform/FileNameComparison.h"

namespace swivex::testing {
namespace {

TEST(SameFileName, ComparesAsTheSystemsFileSystemsDo) {
  EXPECT_TRUE(SameFileName("C:\\m\\intro.exe", "C:\\m\\intro.exe"));
  EXPECT_FALSE(SameFileName("C:\\m\\intro.exe", "C:\\m\\intro.exe "));
  EXPECT_FALSE(SameFileName("C:\\m\\intro.exe", "C:\\n\\intro.exe"));
#ifdef _WIN32
  EXPECT_TRUE(SameFileName("C:\\M\\Intro.EXE", "c:\\m\\intro.exe"));
  // "Été" against "éTÉ" in code page 1252.
  if (::GetACP() == 1252) {
    EXPECT_TRUE(SameFileName("C:\\m\\\xC9t\xE9.swf", "C:\\m\\\xE9T\xC9.SWF"));
  }
#else
  EXPECT_FALSE(SameFileName("/m/Intro.exe", "/m/intro.exe"));
#endif
}

}  // namespace
}  // namespace swivex::testing
