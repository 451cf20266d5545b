// Files handed to Swivex from outside its dialogs: named on its command line (dropped on its
// icon, "Open with", a shortcut, Explorer's verb, which starts one Swivex per file) or dropped on
// its window.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tests/e2e/E2eFiles.h"
#include "tests/e2e/LargeMovie.h"
#include "tests/e2e/SwivexApp.h"
#include "tests/e2e/driver/Controls.h"
#include "tests/e2e/driver/FileDrop.h"
#include "tests/e2e/driver/ThreadPause.h"
#include "tests/e2e/driver/WindowList.h"
#include "tests/support/TempFolder.h"

namespace swivex::e2e {
namespace {

using swivex::testing::Exists;
using swivex::testing::NamesIn;
using swivex::testing::ReadBytes;
using swivex::testing::WriteBytes;

constexpr char kSuccessLine[] = ": File has been converted successfully!";

class OutsideFilesTest : public ::testing::Test {
 protected:
  std::string Work(const std::string& name) const { return work_ / name; }
  std::string CannotConvert(const std::string& name) const {
    return "Cannot convert \"" + Work(name) +
           "\". Only movies (.swf) and projectors (.exe) can be converted.";
  }

  // Checks the message dialog or error box that the program shows next and closes it.
  static void ExpectResult(SwivexApp& app, const std::string& text, bool error) {
    auto dialog = app.WaitForTitledDialog();
    EXPECT_EQ(dialog.Text(), text);
    EXPECT_EQ(dialog.ShowsStopIcon(), error);
    dialog.Press(IDOK);
    WaitUntil([&] { return IsEnabled(app.Window()); }, "the main window to be enabled again");
  }

  // A Swivex started with one file, as Explorer's verb starts it.
  std::unique_ptr<RunningProgram> StartSwivex(const std::string& file) const {
    return std::make_unique<RunningProgram>(ProgramFile("Swivex.exe"), work_.Path().string(),
                                            std::vector<std::string>{file});
  }

  swivex::testing::TempFolder work_;
};

std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

TEST_F(OutsideFilesTest, CommandLineFilesAreConvertedAsADropWouldBe) {
  const Bytes intro = MovieBytes(150'000, 21);
  const Bytes second = MovieBytes(3'000, 22);
  const Bytes third = MovieBytes(5'000, 23);
  WriteBytes(Work("intro.swf"), intro);
  WriteBytes(Work("Second.SWF"), second);
  WriteBytes(Work("game.exe"), ExpectedProjector(third));
  WriteBytes(Work("notes.txt"), {'n', 'o'});

  struct Case {
    const char* name;
    std::vector<std::string> arguments;
    std::string result;
    bool error;
    std::string source;  // the fields afterwards
    std::string target;
  };
  const Case cases[] = {
      {"one file, named relative to the working folder",
       {"intro.swf"},
       swivexui::kSuccess,
       false,
       Work("intro.swf"),
       Work("intro.exe")},
      {"several files, in order",
       {Work("Second.SWF"), Work("notes.txt"), Work("game.exe")},
       "Second.SWF" + std::string(kSuccessLine) + "\r\nnotes.txt: " + CannotConvert("notes.txt") +
           "\r\ngame.exe" + kSuccessLine,
       false,
       Work("game.exe"),
       Work("game.swf")},
      {"a file of another type", {Work("notes.txt")}, CannotConvert("notes.txt"), true, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<std::string> before = NamesIn(work_.Path().string());
    SwivexApp app(work_.Path().string(), c.arguments);
    ExpectResult(app, c.result, c.error);
    EXPECT_EQ(app.Source(), c.source);
    EXPECT_EQ(app.Target(), c.target);
    EXPECT_EQ(app.GoEnabled(), !c.source.empty());
    if (c.error) {
      EXPECT_EQ(NamesIn(work_.Path().string()), before) << "nothing is created";
    }
  }
  EXPECT_EQ(ReadBytes(Work("intro.exe")), ExpectedProjector(intro));
  EXPECT_EQ(ReadBytes(Work("Second.exe")), ExpectedProjector(second));
  EXPECT_EQ(ReadBytes(Work("game.swf")), third);
}

// Each Swivex started with a file hands it to the one that runs and ends: the files of one verb
// make one batch, whose files that would replace each other are not converted, with one summary.
TEST_F(OutsideFilesTest, SwivexStartedWithFilesHandsThemToTheRunningOne) {
  swivex::testing::TempFolder shm(kTmpfs);
  WriteLargeMovie(shm / "big.swf");
  const Bytes small = MovieBytes(3'000, 27);
  const Bytes intro = MovieBytes(2'000, 28);
  const Bytes introProjector = ExpectedProjector(MovieBytes(2'500, 29));
  WriteBytes(Work("small.swf"), small);
  WriteBytes(Work("intro.swf"), intro);
  WriteBytes(Work("intro.exe"), introProjector);
  WriteBytes(Work("late.swf"), small);
  SwivexApp app;
  const DWORD running = app.Process().ProcessId();
  const std::set<DWORD> threadsBefore = ThreadsOf(running);

  // The first file's conversion is held still, so that the others come while its batch runs.
  EXPECT_EQ(StartSwivex(shm / "big.swf")->WaitForExit(), 0u);
  ThreadPause stalled(WaitForThreadsBesides(running, threadsBefore, "the conversion's thread"));
  {
    std::vector<std::unique_ptr<RunningProgram>> others;
    for (const char* name : {"small.swf", "intro.swf", "intro.exe"})
      others.push_back(StartSwivex(Work(name)));
    for (const auto& other : others) EXPECT_EQ(other->WaitForExit(), 0u);
  }
  EXPECT_EQ(FindTopLevelWindows({.className = swivexui::kClassName}),
            std::vector<HWND>{app.Window()});
  const HWND progress =
      WaitForTopLevelWindow({.className = swivexui::kProgressClassName, .processId = running});
  WaitUntil([&] { return TextOf(ControlById(progress, swivexui::kFileCount)) == "1 of 4"; },
            "the progress window to count the files handed over");
  stalled.Resume();

  {
    auto summary = app.WaitForTitledDialog();
    std::vector<std::string> lines = LinesOf(summary.Text());
    ASSERT_EQ(lines.size(), 4u) << summary.Text();
    EXPECT_EQ(lines[0], "big.swf" + std::string(kSuccessLine));
    // The others in the order in which they came.
    std::sort(lines.begin() + 1, lines.end());
    EXPECT_EQ(lines[1], "intro.exe: would replace \"intro.swf\", which is also being converted.");
    EXPECT_EQ(lines[2], "intro.swf: would replace \"intro.exe\", which is also being converted.");
    EXPECT_EQ(lines[3], "small.swf" + std::string(kSuccessLine));
    // Handed over while the summary has the window's input: converted once it has closed.
    EXPECT_EQ(StartSwivex(Work("late.swf"))->WaitForExit(), 0u);
    summary.Press(IDOK);
  }
  ExpectResult(app, swivexui::kSuccess, false);
  EXPECT_EQ(app.Source(), Work("late.swf"));
  EXPECT_EQ(ReadBytes(Work("small.exe")), ExpectedProjector(small));
  EXPECT_EQ(ReadBytes(Work("late.exe")), ExpectedProjector(small));
  EXPECT_EQ(ReadBytes(Work("intro.swf")), intro);
  EXPECT_EQ(ReadBytes(Work("intro.exe")), introProjector);
  EXPECT_EQ(std::filesystem::file_size(shm / "big.exe"),
            std::filesystem::file_size(ProgramFile("Viewhost.exe")) + kLargeMovieSize + 8);
}

TEST_F(OutsideFilesTest, DroppedFilesReplaceTargetsAsTheMenuCommandsDo) {
  const Bytes clip = MovieBytes(70'000, 24);
  const Bytes film = MovieBytes(4'000, 25);
  WriteBytes(Work("clip.swf"), clip);
  WriteBytes(Work("clip.exe"), MovieBytes(900, 26));  // an older projector, replaced
  WriteBytes(Work("film.exe"), ExpectedProjector(film));
  WriteBytes(Work("late.swf"), film);
  SwivexApp app;

  DropFiles(app.Window(), {Work("clip.swf"), Work("film.exe")});
  {
    auto summary = app.WaitForTitledDialog();
    EXPECT_EQ(summary.Text(),
              "clip.swf" + std::string(kSuccessLine) + "\r\nfilm.exe" + kSuccessLine);
    // A drop while a box has the window's input is refused, as a click would be.
    DropFiles(app.Window(), {Work("late.swf")});
    summary.Press(IDOK);
  }
  WaitUntil([&] { return IsEnabled(app.Window()); }, "the main window to be enabled again");
  WaitUntilHandled(app.Window());
  EXPECT_EQ(ReadBytes(Work("clip.exe")), ExpectedProjector(clip));
  EXPECT_EQ(ReadBytes(Work("film.swf")), film);
  EXPECT_EQ(app.Source(), Work("film.exe"));
  EXPECT_EQ(app.Target(), Work("film.swf"));
  EXPECT_FALSE(Exists(Work("late.exe")));
  EXPECT_TRUE(app.VisibleDialogs().empty());

  // One dropped file ends as the menu command does.
  DropFiles(app.Window(), {Work("late.swf")});
  ExpectResult(app, swivexui::kSuccess, false);
  EXPECT_EQ(ReadBytes(Work("late.exe")), ExpectedProjector(film));
  EXPECT_EQ(app.Source(), Work("late.swf"));
}

}  // namespace
}  // namespace swivex::e2e
