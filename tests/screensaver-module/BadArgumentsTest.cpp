#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/screensaver-module/SaverProcess.h"
#include "tests/screensaver-module/WindowProbe.h"

namespace swivex::glowdrift::testing {
namespace {

using ::testing::HasSubstr;

constexpr int kMessageBoxText = 0xFFFF;

TEST(BadArguments, AreNamedInAMessageAndEndTheModuleWithCodeTwo) {
  const std::pair<const char*, const char*> cases[] = {
      {"/x", "Unknown argument \"/x\"."},
      {"hello", "Unknown argument \"hello\"."},
      {"/p abc", "The switch /p needs the decimal number of the preview window, not \"abc\"."},
      {"/s 5", "The switch /s takes no value, not \"5\"."},
  };
  for (const auto& [commandTail, problem] : cases) {
    SCOPED_TRACE(std::string("command tail: \"") + commandTail + "\"");
    SaverProcess saver(commandTail);
    HWND box = WaitForTopLevelWindow(saver.Id(), "#32770");
    ASSERT_NE(box, nullptr) << "no message appeared";
    EXPECT_EQ(WindowText(box), "Glowdrift");
    const std::string text = WindowText(::GetDlgItem(box, kMessageBoxText));
    EXPECT_THAT(text, HasSubstr(problem));
    EXPECT_THAT(text, HasSubstr("Windows starts it with /s to run it"));
    ::PostMessageA(::GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    EXPECT_EQ(saver.WaitForExit(), std::optional<DWORD>(2));
  }
}

}  // namespace
}  // namespace swivex::glowdrift::testing
