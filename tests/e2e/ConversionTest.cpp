// The two conversions as a user runs them from the main window: the files they write, the
// messages they show, and what the window shows afterwards.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <map>

#include "tests/e2e/E2eFiles.h"
#include "tests/e2e/ExpectedTexts.h"
#include "tests/e2e/SwivexApp.h"
#include "tests/e2e/driver/Clipboard.h"
#include "tests/e2e/driver/Controls.h"
#include "tests/e2e/driver/Keyboard.h"
#include "tests/e2e/driver/WindowList.h"
#include "tests/support/TempFolder.h"

namespace swivex::e2e {
namespace {

using swivex::testing::Exists;
using swivex::testing::ReadBytes;
using swivex::testing::WriteBytes;

constexpr std::size_t kMovieSize = 150'000;  // more than two of the copy's 61,440-byte chunks

class ConversionTest : public ::testing::Test {
 protected:
  std::string Work(const std::string& name) const { return work_ / name; }

  // Runs the command on `source`, checks that the message dialog shows `message` and closes it.
  void Convert(const Command& command, const std::string& source, const std::string& message) {
    app_.Pick(command, source);
    auto dialog = app_.WaitForTitledDialog();
    EXPECT_EQ(dialog.Text(), message);
    dialog.Press(IDOK);
    WaitUntil([&] { return IsEnabled(app_.Window()); }, "the main window to be enabled again");
  }

  // Every file of the work folder with its bytes.
  std::map<std::string, Bytes> WorkFiles() const {
    std::map<std::string, Bytes> files;
    for (const auto& entry : std::filesystem::directory_iterator(work_.Path()))
      files[entry.path().filename().string()] = ReadBytes(entry.path().string());
    return files;
  }

  swivex::testing::TempFolder work_;
  SwivexApp app_;
};

std::string CommandName(const ::testing::TestParamInfo<Command>& tested) {
  return tested.param.name;
}

class SwfToExeTest : public ConversionTest, public ::testing::WithParamInterface<Command> {};

TEST_P(SwfToExeTest, BuildsTheProjectorAndReportsSuccess) {
  const Bytes movie = MovieBytes(kMovieSize, 7);
  WriteBytes(Work("intro.swf"), movie);
  EXPECT_EQ(app_.Source(), "");
  EXPECT_EQ(app_.Target(), "");
  EXPECT_FALSE(app_.GoEnabled());

  app_.Pick(GetParam(), Work("intro.swf"));
  auto dialog = app_.WaitForTitledDialog();
  EXPECT_EQ(dialog.Text(), swivexui::kSuccess);
  EXPECT_EQ(dialog.ButtonCaptions(), std::vector<std::string>{"OK"});
  EXPECT_FALSE(dialog.ShowsStopIcon());
  EXPECT_FALSE(IsEnabled(app_.Window())) << "the message dialog is modal";
  EXPECT_EQ(app_.Source(), Work("intro.swf"));
  EXPECT_EQ(app_.Target(), Work("intro.exe"));
  EXPECT_TRUE(app_.GoEnabled());
  dialog.Press(IDOK);

  EXPECT_EQ(ReadBytes(Work("intro.exe")), ExpectedProjector(movie));
  EXPECT_EQ(ReadBytes(Work("intro.swf")), movie);
  WaitUntil([&] { return IsEnabled(app_.Window()); }, "the main window to be enabled again");
}

INSTANTIATE_TEST_SUITE_P(ButtonAndMenu, SwfToExeTest,
                         ::testing::Values(kSwfToExeButton, kSwfToExeMenu), CommandName);

class ExeToSwfTest : public ConversionTest, public ::testing::WithParamInterface<Command> {};

TEST_P(ExeToSwfTest, GetsTheMovieBackFromAProjectorByteForByte) {
  const Bytes movie = MovieBytes(kMovieSize, 11);
  WriteBytes(Work("intro.swf"), movie);
  Convert(kSwfToExeButton, Work("intro.swf"), swivexui::kSuccess);
  std::filesystem::remove(Work("intro.swf"));

  Convert(GetParam(), Work("intro.exe"), swivexui::kSuccess);
  EXPECT_EQ(ReadBytes(Work("intro.swf")), movie);
  EXPECT_EQ(ReadBytes(Work("intro.exe")), ExpectedProjector(movie));
  EXPECT_EQ(app_.Source(), Work("intro.exe"));
  EXPECT_EQ(app_.Target(), Work("intro.swf"));
  EXPECT_TRUE(app_.GoEnabled());
}

INSTANTIATE_TEST_SUITE_P(ButtonAndMenu, ExeToSwfTest,
                         ::testing::Values(kExeToSwfButton, kExeToSwfMenu), CommandName);

TEST_F(ConversionTest, AFileWithoutTrailerIsReportedAndNoMovieIsWritten) {
  struct Case {
    const char* name;
    Bytes content;
  };
  Bytes magicTooEarly = swivex::testing::RandomBytes(4000, 3);
  const Bytes trailerNotAtEnd = {0x56, 0x34, 0x12, 0xFA, 0x10, 0, 0, 0, 0};
  magicTooEarly.insert(magicTooEarly.end(), trailerNotAtEnd.begin(), trailerNotAtEnd.end());
  const Case cases[] = {
      {"plain", swivex::testing::RandomBytes(5000, 2)},
      {"magic-one-byte-early", magicTooEarly},
      {"stub-only", ReadBytes(ProgramFile("Viewhost.exe"))},
  };
  const Bytes existingMovie = MovieBytes(300, 5);
  for (const auto& testCase : cases) {
    SCOPED_TRACE(testCase.name);
    const std::string source = Work(std::string(testCase.name) + ".exe");
    const std::string target = Work(std::string(testCase.name) + ".swf");
    WriteBytes(source, testCase.content);
    // A movie already at the target stays as it was.
    if (testCase.name == std::string("plain")) WriteBytes(target, existingMovie);

    Convert(kExeToSwfButton, source, swivexui::kUnknownType);
    EXPECT_EQ(ReadBytes(source), testCase.content);
    if (testCase.name == std::string("plain"))
      EXPECT_EQ(ReadBytes(target), existingMovie);
    else
      EXPECT_FALSE(Exists(target));
    EXPECT_EQ(app_.Source(), source);
    EXPECT_EQ(app_.Target(), target);
    EXPECT_TRUE(app_.GoEnabled());
  }
}

TEST_F(ConversionTest, AMissingSourceShowsTheErrorBoxAndTheWindowStaysUsable) {
  struct Case {
    Command command;
    const char* source;
    const char* target;
  };
  const Case cases[] = {
      {kSwfToExeButton, "missing.swf", "missing.exe"},
      {kExeToSwfButton, "missing.exe", "missing.swf"},
  };
  for (const auto& testCase : cases) {
    SCOPED_TRACE(testCase.command.name);
    app_.Pick(testCase.command, Work(testCase.source));

    auto box = app_.WaitForTitledDialog();
    EXPECT_EQ(box.Text(), CannotOpenText(Work(testCase.source), ERROR_FILE_NOT_FOUND));
    EXPECT_TRUE(box.ShowsStopIcon());
    EXPECT_EQ(box.ButtonCaptions(), std::vector<std::string>{"OK"});
    EXPECT_FALSE(IsEnabled(app_.Window())) << "the error box is modal";
    box.Press(IDOK);
    WaitUntil([&] { return IsEnabled(app_.Window()); }, "the main window to be enabled again");

    EXPECT_EQ(app_.Source(), Work(testCase.source));
    EXPECT_EQ(app_.Target(), Work(testCase.target));
    EXPECT_TRUE(app_.GoEnabled());
    EXPECT_TRUE(app_.VisibleDialogs().empty()) << "no result message after an error";
  }
  EXPECT_FALSE(Exists(Work("missing.swf"))) << "a failed extraction creates no movie";

  // Still usable: the next conversion works.
  const Bytes movie = MovieBytes(1000, 9);
  WriteBytes(Work("after.swf"), movie);
  Convert(kSwfToExeButton, Work("after.swf"), swivexui::kSuccess);
  EXPECT_EQ(ReadBytes(Work("after.exe")), ExpectedProjector(movie));
}

TEST_F(ConversionTest, CancellingAConversionDialogChangesNothing) {
  const Command commands[] = {kSwfToExeButton, kExeToSwfButton, kSwfToExeMenu, kExeToSwfMenu};
  const Bytes movie = MovieBytes(2000, 13);
  WriteBytes(Work("kept.swf"), movie);
  WriteBytes(Work("other.swf"), movie);
  WriteBytes(Work("other.exe"), ExpectedProjector(movie));

  const auto cancelEach = [&](const std::string& state) {
    const auto source = app_.Source();
    const auto target = app_.Target();
    const bool go = app_.GoEnabled();
    const auto files = WorkFiles();
    for (const auto& command : commands) {
      SCOPED_TRACE(state + ", " + command.name);
      auto dialog = app_.OpenDialogOf(command);
      dialog.TypeFileName(
          Work(command.id == swivexui::kButton1 || command.id == swivexui::kConvertSWFtoEXE
                   ? "other.swf"
                   : "other.exe"));
      dialog.Cancel();
      WaitUntilHandled(app_.Window());
      EXPECT_TRUE(app_.VisibleDialogs().empty());
      EXPECT_EQ(app_.Source(), source);
      EXPECT_EQ(app_.Target(), target);
      EXPECT_EQ(app_.GoEnabled(), go);
      EXPECT_EQ(WorkFiles(), files);
    }
  };
  cancelEach("before any conversion");
  Convert(kSwfToExeButton, Work("kept.swf"), swivexui::kSuccess);
  cancelEach("after a conversion");
}

TEST_F(ConversionTest, CtrlCInTheMessageDialogCopiesItsContent) {
  WriteBytes(Work("copy.swf"), MovieBytes(100, 17));
  app_.Pick(kSwfToExeButton, Work("copy.swf"));
  auto dialog = app_.WaitForTitledDialog();
  EmptyTheClipboard();
  BringToFront(dialog.Window());
  PressChord({VK_CONTROL, 'C'});
  const std::string expected = MessageDialogClipboardText(swivexui::kSuccess);
  WaitUntil([&] { return ClipboardText() == expected; }, "the dialog's content on the clipboard");
  EXPECT_TRUE(::IsWindowVisible(dialog.Window())) << "Ctrl+C leaves the dialog open";
  dialog.Press(IDOK);
}

std::string FolderName(const std::filesystem::path& folder) { return folder.filename().string(); }

TEST_F(ConversionTest, GoOpensTheTargetsFolderAndRunsTheProjector) {
  WriteBytes(Work("go.swf"), MovieBytes(5000, 19));
  Convert(kSwfToExeButton, Work("go.swf"), swivexui::kSuccess);

  Click(app_.Control(swivexui::kButton4));
  HWND folder =
      WaitForTopLevelWindow({.className = "ExplorerWClass", .caption = FolderName(work_.Path())});
  // The projector's player stub finds no program for .swf files on this system and says so.
  auto stubMessage = TextDialog::WaitForProgram("\\go.exe");
  EXPECT_EQ(stubMessage.Caption(), "Swivex projector");
  PostClose(folder);
  WaitUntilClosed(folder, "the folder window");
  stubMessage.Press(IDOK);
  WaitUntilHandled(app_.Window());
  EXPECT_TRUE(app_.VisibleDialogs().empty());
}

TEST_F(ConversionTest, GoAfterAFailedConversionOpensTheFolderAndReportsNothing) {
  app_.Pick(kExeToSwfButton, Work("absent.exe"));
  app_.WaitForTitledDialog().Press(IDOK);
  WaitUntil([&] { return IsEnabled(app_.Window()); }, "the main window to be enabled again");

  Click(app_.Control(swivexui::kButton4));
  HWND folder =
      WaitForTopLevelWindow({.className = "ExplorerWClass", .caption = FolderName(work_.Path())});
  WaitUntilHandled(app_.Window());
  EXPECT_TRUE(app_.VisibleDialogs().empty());
  EXPECT_TRUE(IsEnabled(app_.Window()));
  PostClose(folder);
  WaitUntilClosed(folder, "the folder window");
}

}  // namespace
}  // namespace swivex::e2e
