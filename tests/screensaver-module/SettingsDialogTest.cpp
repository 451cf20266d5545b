#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <utility>

#include "tests/screensaver-module/HostWindow.h"
#include "tests/screensaver-module/SaverProcess.h"
#include "tests/screensaver-module/ScreenCapture.h"
#include "tests/screensaver-module/TestSystem.h"
#include "tests/screensaver-module/WindowProbe.h"

namespace swivex::glowdrift::testing {
namespace {

using ::testing::HasSubstr;

struct SettingsCase {
  const char* commandTail;  // "<owner>" stands for the host window's number
  std::optional<std::uint64_t> movieSize;
  const char* installedLine;
};

// What the area of the screen shows once it shows the same twice in a row, a little apart: the
// dialog has painted, and Wine has copied its drawing to the screen. The picture is kept for
// people to look at, so one that still changes after the time is kept as it is.
Picture StillPictureOf(const RECT& area) {
  constexpr milliseconds kApart{100};
  Picture last = CaptureScreen(area);
  PumpMessagesUntil([&] {
    PumpMessagesFor(kApart);
    Picture next = CaptureScreen(area);
    const bool still = next.pixels == last.pixels;
    last = std::move(next);
    return still;
  });
  return last;
}

std::string WithOwner(std::string commandTail, HWND owner) {
  const auto at = commandTail.find("<owner>");
  if (at != std::string::npos)
    commandTail.replace(at, 7, std::to_string(reinterpret_cast<std::uintptr_t>(owner)));
  return commandTail;
}

TEST(SettingsDialog, SaysWhatTheSaverShowsNamesTheMovieAndClosesWithOk) {
  const SettingsCase cases[] = {
      {"/c", 12345, "Installed now: Glowdrift.swf (12,345 bytes)"},
      {"", 12345, "Installed now: Glowdrift.swf (12,345 bytes)"},
      {"-C", std::nullopt,
       "Installed now: No movie is installed: there is no Glowdrift.swf beside the screen saver."},
      {"/c:<owner>", 1, "Installed now: Glowdrift.swf (1 byte)"},
  };
  bool pictureKept = false;
  for (const SettingsCase& settings : cases) {
    SCOPED_TRACE(std::string("command tail: \"") + settings.commandTail + "\"");
    if (settings.movieSize)
      PlantMovie(*settings.movieSize);
    else
      RemoveMovie();
    HostWindow host;
    const bool owned = std::string(settings.commandTail).find("<owner>") != std::string::npos;
    SaverProcess saver(WithOwner(settings.commandTail, host.Frame()));

    HWND dialog = WaitForTopLevelWindow(saver.Id(), "#32770");
    ASSERT_NE(dialog, nullptr) << "no dialog appeared";
    EXPECT_EQ(WindowText(dialog), "Glowdrift Screen Saver");
    const std::string text = TextOfChildren(dialog);
    EXPECT_THAT(text, HasSubstr("slowly drifting soft glows"));
    EXPECT_THAT(text, HasSubstr("shows the pictures inside the movie"));
    EXPECT_THAT(text, HasSubstr("It does not play the movie."));
    EXPECT_THAT(text, HasSubstr("There is nothing to set."));
    EXPECT_THAT(text, HasSubstr(settings.installedLine));
    EXPECT_EQ(::GetWindow(dialog, GW_OWNER), owned ? host.Frame() : nullptr);

    if (!pictureKept) {
      SaveBitmap(StillPictureOf(ScreenRectOf(dialog)), ArtifactPath("glowdrift-settings.bmp"));
      pictureKept = true;
    }

    HWND ok = ::GetDlgItem(dialog, IDOK);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(WindowText(ok), "OK");
    ::PostMessageA(ok, BM_CLICK, 0, 0);
    EXPECT_EQ(saver.WaitForExit(), std::optional<DWORD>(0));
  }
}

}  // namespace
}  // namespace swivex::glowdrift::testing
