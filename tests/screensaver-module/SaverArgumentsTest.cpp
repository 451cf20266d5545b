#include <gtest/gtest.h>

#include "screensaver-module/SaverArguments.h"

namespace swivex::glowdrift {
namespace {

struct ValidCase {
  const char* commandTail;
  SaverMode mode;
  std::uintptr_t window;
};

TEST(SaverArguments, ReadsEveryFormWindowsUses) {
  const ValidCase cases[] = {
      {"/s", SaverMode::Show, 0},
      {"-S", SaverMode::Show, 0},
      {"/S", SaverMode::Show, 0},
      {"  /s  ", SaverMode::Show, 0},
      {"/p 1234", SaverMode::Preview, 1234},
      {"/P 1234", SaverMode::Preview, 1234},
      {"-p\t99", SaverMode::Preview, 99},
      {"/p:1234", SaverMode::Preview, 1234},
      {"/p1234", SaverMode::Preview, 1234},
      {"/p 18446744073709551615", SaverMode::Preview, UINTPTR_MAX},
      {"/c", SaverMode::Configure, 0},
      {"-C", SaverMode::Configure, 0},
      {"/c:5678", SaverMode::Configure, 5678},
      {"/C:5678", SaverMode::Configure, 5678},
      {"/c 5678", SaverMode::Configure, 5678},
      {"/c:", SaverMode::Configure, 0},
      {"", SaverMode::Configure, 0},
      {"   ", SaverMode::Configure, 0},
  };
  for (const ValidCase& valid : cases) {
    SCOPED_TRACE(std::string("command tail: \"") + valid.commandTail + "\"");
    const SaverArguments arguments = ParseSaverArguments(valid.commandTail);
    EXPECT_EQ(arguments.mode, valid.mode);
    EXPECT_EQ(arguments.window, valid.window);
    EXPECT_EQ(arguments.problem, "");
  }
}

struct InvalidCase {
  const char* commandTail;
  const char* problem;
};

TEST(SaverArguments, RefusesAnythingElseAndSaysWhy) {
  const InvalidCase cases[] = {
      {"garbage", "Unknown argument \"garbage\"."},
      {"/", "Unknown argument \"/\"."},
      {"s", "Unknown argument \"s\"."},
      {"/x", "Unknown argument \"/x\"."},
      {"/a", "Unknown argument \"/a\"."},
      {"/s now", "The switch /s takes no value, not \"now\"."},
      {"/p", "The switch /p needs the decimal number of the preview window, not \"\"."},
      {"/p abc", "The switch /p needs the decimal number of the preview window, not \"abc\"."},
      {"/p -5", "The switch /p needs the decimal number of the preview window, not \"-5\"."},
      {"/p 12 34", "The switch /p needs the decimal number of the preview window, not \"12 34\"."},
      {"/p 0x1F", "The switch /p needs the decimal number of the preview window, not \"0x1F\"."},
      {"/p 18446744073709551616",
       "The switch /p needs the decimal number of the preview window, not "
       "\"18446744073709551616\"."},
      {"/c:window", "The switch /c takes the decimal number of a window, not \"window\"."},
  };
  for (const InvalidCase& invalid : cases) {
    SCOPED_TRACE(std::string("command tail: \"") + invalid.commandTail + "\"");
    const SaverArguments arguments = ParseSaverArguments(invalid.commandTail);
    EXPECT_EQ(arguments.mode, SaverMode::Invalid);
    EXPECT_EQ(arguments.problem, invalid.problem);
  }
}

}  // namespace
}  // namespace swivex::glowdrift
