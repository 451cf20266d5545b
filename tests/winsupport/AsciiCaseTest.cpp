#include <gtest/gtest.h>

#include "winsupport/AsciiCase.h"

namespace swivex::testing {
namespace {

TEST(AsciiCase, FoldsOnlyTheLettersAToZ) {
  struct Case {
    const char* left;
    const char* right;
    bool equal;
  };
  const Case cases[] = {
      {"Content-Length", "content-length", true},
      {"AZ", "az", true},
      {"@", "`", false},                // the bytes just before 'A' and 'a'
      {"[", "{", false},                // the bytes just after 'Z' and 'z'
      {"\xC0", "\xE0", false},          // Latin-1's capital and small A grave
      {"\xC3\x89", "\xC3\xA9", false},  // UTF-8's capital and small E acute
      {".SWF", ".swf", true},
      {".swf", ".swf ", false},
      {"", "", true},
  };
  for (const Case& tried : cases) {
    EXPECT_EQ(win::EqualsIgnoringCase(tried.left, tried.right), tried.equal)
        << tried.left << " / " << tried.right;
    EXPECT_EQ(win::EqualsIgnoringCase(tried.right, tried.left), tried.equal)
        << tried.right << " / " << tried.left;
  }
}

}  // namespace
}  // namespace swivex::testing
