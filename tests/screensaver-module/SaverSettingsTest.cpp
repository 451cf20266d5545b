#include <gtest/gtest.h>

#include <vector>

#include "screensaver-module/SaverSettings.h"

namespace swivex::glowdrift {
namespace {

constexpr std::uint32_t kBinary = 3;  // REG_BINARY
constexpr std::uint32_t kDword = 4;   // REG_DWORD

struct ValueCase {
  const char* what;
  bool present;
  std::uint32_t type;
  std::vector<std::uint8_t> bytes;
  bool whenOnByDefault;  // what is read when the default is on
  bool whenOffByDefault;
};

TEST(SaverSettings, AChoiceIsADwordOfZeroOrOneAndAnythingElseTheDefault) {
  const ValueCase cases[] = {
      {"no value", false, 0, {}, true, false},
      {"0", true, kDword, {0, 0, 0, 0}, false, false},
      {"1", true, kDword, {1, 0, 0, 0}, true, true},
      {"2", true, kDword, {2, 0, 0, 0}, true, false},
      {"256", true, kDword, {0, 1, 0, 0}, true, false},
      {"65536", true, kDword, {0, 0, 1, 0}, true, false},
      {"1 in the highest byte", true, kDword, {0, 0, 0, 1}, true, false},
      {"three bytes of a DWORD", true, kDword, {1, 0, 0}, true, false},
      {"five bytes of a DWORD", true, kDword, {1, 0, 0, 0, 0}, true, false},
      {"four binary bytes of 1", true, kBinary, {1, 0, 0, 0}, true, false},
  };
  for (const ValueCase& test : cases) {
    SCOPED_TRACE(test.what);
    std::optional<StoredValue> stored;
    if (test.present) stored = StoredValue{test.type, test.bytes};
    EXPECT_EQ(ChoiceFromValue(stored, true), test.whenOnByDefault);
    EXPECT_EQ(ChoiceFromValue(stored, false), test.whenOffByDefault);
  }
}

}  // namespace
}  // namespace swivex::glowdrift
