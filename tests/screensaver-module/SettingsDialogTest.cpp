#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <utility>
#include <vector>

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
    EXPECT_THAT(text, HasSubstr("plays the movie installed as Glowdrift.swf on the main monitor, "
                                "in Microsoft Edge or Google Chrome"));
    EXPECT_THAT(text, HasSubstr("slowly drifting soft glows"));
    EXPECT_THAT(text, HasSubstr("shows the pictures inside the movie"));
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

// The settings' boxes, as the resource script numbers them.
constexpr int kPlayMovieBox = 102;
constexpr int kPlaySoundBox = 103;

bool IsChecked(HWND box) { return ::SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

RegistryValue TextValue(const char* text) {
  const std::string bytes(text, std::strlen(text) + 1);
  return {REG_SZ, std::vector<std::uint8_t>(bytes.begin(), bytes.end())};
}

struct Stored {
  std::optional<RegistryValue> movie, sound;
};

Stored Values(std::optional<RegistryValue> movie, std::optional<RegistryValue> sound) {
  return {std::move(movie), std::move(sound)};
}

struct BoxesCase {
  const char* what;
  Stored before;  // when the dialog opens
  bool movieShown, soundShown, soundEnabled;
  int click;      // the box clicked
  int closeWith;  // IDOK or IDCANCEL
  Stored after;
};

TEST(SettingsDialog, ShowsTheSavedChoicesAndSavesThemWithOkOnly) {
  const BoxesCase cases[] = {
      {"nothing saved yet: the movie without its sound; the sound turned on",
       Values(std::nullopt, std::nullopt), true, false, true, kPlaySoundBox, IDOK,
       Values(DwordValue(1), DwordValue(1))},
      {"the movie off: its sound waits for it", Values(DwordValue(0), DwordValue(1)), false, true,
       false, kPlayMovieBox, IDOK, Values(DwordValue(1), DwordValue(1))},
      {"damaged values show the defaults, and Cancel leaves them",
       Values(TextValue("0"), DwordValue(2)), true, false, true, kPlayMovieBox, IDCANCEL,
       Values(TextValue("0"), DwordValue(2))},
  };
  PlantMovie(100);
  for (const BoxesCase& test : cases) {
    SCOPED_TRACE(test.what);
    RemoveSettings();
    if (test.before.movie) SetSettingsValue("PlayMovie", *test.before.movie);
    if (test.before.sound) SetSettingsValue("PlaySound", *test.before.sound);
    SaverProcess saver("/c");
    HWND dialog = WaitForTopLevelWindow(saver.Id(), "#32770");
    ASSERT_NE(dialog, nullptr) << "no dialog appeared";
    HWND movie = ::GetDlgItem(dialog, kPlayMovieBox);
    HWND sound = ::GetDlgItem(dialog, kPlaySoundBox);
    ASSERT_NE(movie, nullptr);
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(WindowText(movie), "Play the movie");
    EXPECT_EQ(WindowText(sound), "Play the movie's sound");
    EXPECT_EQ(IsChecked(movie), test.movieShown);
    EXPECT_EQ(IsChecked(sound), test.soundShown);
    EXPECT_EQ(::IsWindowEnabled(sound) != FALSE, test.soundEnabled);

    HWND box = ::GetDlgItem(dialog, test.click);
    const bool before = IsChecked(box);
    ::PostMessageA(box, BM_CLICK, 0, 0);
    EXPECT_TRUE(PumpMessagesUntil([&] { return IsChecked(box) != before; }));
    EXPECT_TRUE(PumpMessagesUntil([&] {
      return (::IsWindowEnabled(sound) != FALSE) == IsChecked(movie);
    })) << "the sound box should be enabled exactly when the movie plays";

    ::PostMessageA(::GetDlgItem(dialog, test.closeWith), BM_CLICK, 0, 0);
    EXPECT_EQ(saver.WaitForExit(), std::optional<DWORD>(0));
    EXPECT_EQ(SettingsValue("PlayMovie"), test.after.movie);
    EXPECT_EQ(SettingsValue("PlaySound"), test.after.sound);
  }
  RemoveSettings();
}

}  // namespace
}  // namespace swivex::glowdrift::testing
