// Names in every script: Swivex.exe speaks the UTF-8 code page, and so does this test program
// (its manifest asks for it), so names travel as UTF-8 between them; what the windows show is
// read as UTF-16 and compared with the wide spelling of the same names. Files and folders are
// made through the ANSI calls: std::filesystem takes a narrow name byte by byte as Latin-1.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>

#include "tests/e2e/E2eFiles.h"
#include "tests/e2e/E2ePaths.h"
#include "tests/e2e/ExpectedTexts.h"
#include "tests/e2e/SwivexApp.h"
#include "tests/e2e/driver/Clipboard.h"
#include "tests/e2e/driver/Controls.h"
#include "tests/e2e/driver/Keyboard.h"
#include "tests/e2e/driver/Screenshot.h"
#include "tests/e2e/driver/WindowList.h"
#include "tests/support/TempFolder.h"

namespace swivex::e2e {
namespace {

using swivex::testing::Exists;
using swivex::testing::ReadBytes;
using swivex::testing::WriteBytes;

// A folder and a movie named in one script, spelt twice by the compiler: as UTF-8 for the
// files and as UTF-16 for what the windows show.
struct Script {
  const char* name;
  const char* folder;
  const char* movie;
  const wchar_t* wideFolder;
  const wchar_t* wideMovie;
};

// さ, ら and Й end in bytes that code page 932 takes for lead bytes; 😀 and 🎬 are four bytes
// and two UTF-16 units each.
constexpr Script kScripts[] = {
    {"Japanese", "映画の部屋", "さくら", L"映画の部屋", L"さくら"},
    {"Cyrillic", "Фильмы", "ЙОЖИК в тумане", L"Фильмы", L"ЙОЖИК в тумане"},
    {"Greek", "Ταινίες", "Καλημέρα", L"Ταινίες", L"Καλημέρα"},
    {"AccentedLatin", "Café Crème", "Déjà vu", L"Café Crème", L"Déjà vu"},
    {"Emoji", "🎬 Films", "😀 party", L"🎬 Films", L"😀 party"},
};

// The ASCII path of the work folder, widened byte by byte.
std::wstring Widened(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

std::wstring WideClipboardText(const std::wstring& text) {
  const std::wstring divider = L"---------------------------\r\n";
  return divider + L"Swivex 1.0\r\n" + divider + text + L"\r\n" + divider + L"OK   \r\n" + divider;
}

void Screenshot(HWND window, const std::string& what, const Script& script) {
  SaveScreenshot(WindowRect(window),
                 std::string(kArtifactsFolder) + "scripts-" + what + "-" + script.name + ".bmp");
}

class ScriptTest : public ::testing::TestWithParam<Script> {
 protected:
  void SetUp() override {
    ASSERT_EQ(::GetACP(), static_cast<UINT>(CP_UTF8)) << "the test program's manifest";
    ASSERT_TRUE(::CreateDirectoryA(folder_.c_str(), nullptr)) << ::GetLastError();
  }

  std::string File(const std::string& extension) const {
    return folder_ + "\\" + GetParam().movie + extension;
  }
  std::wstring WideFile(const std::wstring& extension) const {
    return Widened(work_ / "") + GetParam().wideFolder + L"\\" + GetParam().wideMovie + extension;
  }

  swivex::testing::TempFolder work_;
  const std::string folder_ = (work_ / "") + GetParam().folder;
  SwivexApp app_;
};

TEST_P(ScriptTest, BothConversionsKeepTheNameAndTheBytes) {
  const Bytes movie = MovieBytes(70'000, 31);
  WriteBytes(File(".swf"), movie);

  app_.Pick(kSwfToExeButton, File(".swf"));
  auto dialog = app_.WaitForTitledDialog();
  EXPECT_EQ(dialog.Text(), swivexui::kSuccess);
  EXPECT_EQ(WideTextOf(app_.Control(swivexui::kEdit1)), WideFile(L".swf"));
  EXPECT_EQ(WideTextOf(app_.Control(swivexui::kEdit2)), WideFile(L".exe"));
  dialog.Press(IDOK);
  WaitUntil([&] { return IsEnabled(app_.Window()); }, "the main window to be enabled again");
  Screenshot(app_.Window(), "main-window", GetParam());
  EXPECT_EQ(ReadBytes(File(".exe")), ExpectedProjector(movie));

  ASSERT_TRUE(::DeleteFileA(File(".swf").c_str()));
  app_.Pick(kExeToSwfMenu, File(".exe"));
  app_.WaitForTitledDialog().Press(IDOK);
  EXPECT_EQ(WideTextOf(app_.Control(swivexui::kEdit2)), WideFile(L".swf"));
  EXPECT_EQ(ReadBytes(File(".swf")), movie);
}

TEST_P(ScriptTest, TheErrorBoxShowsTheNameAndCtrlCCopiesIt) {
  app_.Pick(kSwfToExeButton, File(".swf"));  // there is no such file
  auto box = app_.WaitForTitledDialog();
  const std::string text = CannotOpenText(File(".swf"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(box.Text(), text);
  Screenshot(box.Window(), "error-box", GetParam());

  EmptyTheClipboard();
  BringToFront(box.Window());
  PressChord({VK_CONTROL, 'C'});
  const std::wstring wideText = L"Cannot open file \"" + WideFile(L".swf") + L"\". " +
                                Widened(TrimmedSystemMessage(ERROR_FILE_NOT_FOUND)) + L".";
  WaitUntil([&] { return ClipboardWideText() == WideClipboardText(wideText); },
            "the error box's content on the clipboard as UTF-16");
  EXPECT_EQ(ClipboardText(), MessageDialogClipboardText(text)) << "and as UTF-8";
  box.Press(IDOK);
}

// The projector's stub saves its movie in %TEMP%\Swivex under the projector's own name and,
// with no Flash player on this system, says where.
TEST_P(ScriptTest, AProjectorSavesItsMovieUnderItsOwnName) {
  const Bytes movie = MovieBytes(5'000, 37);
  WriteBytes(File(".exe"), ExpectedProjector(movie));

  RunningProgram projector(File(".exe"), folder_);
  auto message = TextDialog::WaitForProgram(std::string("\\") + GetParam().movie + ".exe");
  char temp[3 * MAX_PATH] = {};
  ::GetTempPathA(sizeof temp, temp);
  const std::string saved = std::string(temp) + "Swivex\\" + GetParam().movie + ".swf";
  EXPECT_NE(message.Text().find("\n" + saved + "\n"), std::string::npos) << message.Text();
  Screenshot(message.Window(), "projector", GetParam());
  message.Press(IDOK);
  projector.WaitForExit();
  EXPECT_EQ(ReadBytes(saved), movie);
}

INSTANTIATE_TEST_SUITE_P(EveryScript, ScriptTest, ::testing::ValuesIn(kScripts),
                         [](const auto& tested) { return std::string(tested.param.name); });

// The program folder itself named in every script at once.
constexpr char kFolderInEveryScript[] = "Программы 映画 Ταινίες Café 🎬";

class ProgramFolderInEveryScript : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(::CreateDirectoryA(folder_.c_str(), nullptr)) << ::GetLastError();
    for (const char* shipped : {"Swivex.exe", "Viewhost.exe", "Glowdrift.dll", "Swivex.chm"})
      ASSERT_TRUE(
          ::CopyFileA(ProgramFile(shipped).c_str(), (folder_ + "\\" + shipped).c_str(), TRUE))
          << shipped;
  }

  swivex::testing::TempFolder work_;
  const std::string folder_ = (work_ / "") + kFolderInEveryScript;
};

std::string ReadText(const std::string& name) { return swivex::testing::AsText(ReadBytes(name)); }

std::string SystemFile(const std::string& name) {
  char folder[3 * MAX_PATH] = {};
  ::GetSystemDirectoryA(folder, sizeof folder);
  return std::string(folder) + "\\" + name;
}

TEST_F(ProgramFolderInEveryScript, InstallsTheScreenSaverFromIt) {
  const Bytes movie = MovieBytes(3'000, 41);
  const std::string moviePath = folder_ + "\\さくら.swf";
  WriteBytes(moviePath, movie);
  std::filesystem::remove(SystemFile("Glowdrift.scr"));

  SwivexApp app(SwivexApp::Copy{folder_ + "\\"}, folder_);
  auto dialog = app.OpenDialogOf(kScreenSaverButton);
  dialog.TypeFileName(moviePath);
  dialog.Confirm();
  WaitUntilHandled(app.Window());
  EXPECT_TRUE(app.VisibleDialogs().empty()) << "the installer shows no message";
  EXPECT_EQ(ReadBytes(SystemFile("Glowdrift.scr")), ReadBytes(folder_ + "\\Glowdrift.dll"));
  EXPECT_EQ(ReadBytes(SystemFile("Glowdrift.swf")), movie);
}

// Wine's help viewer shows nothing without its HTML engine, which the test prefixes leave out: a
// recorder registered for .chm files stands in for it and writes down what it was asked to open.
TEST_F(ProgramFolderInEveryScript, OpensTheHelpFromIt) {
  const std::string log = work_ / "help-viewer.log";
  ASSERT_TRUE(::SetEnvironmentVariableA("SWIVEX_LINK_LOG", log.c_str()));
  char self[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, self, MAX_PATH);
  const std::string ownPath = self;
  const std::string recorder =
      ownPath.substr(0, ownPath.find_last_of('\\') + 1) + "about_link_recorder.exe";
  ASSERT_EQ(::RegSetKeyValueA(HKEY_CLASSES_ROOT, ".chm", nullptr, REG_SZ, "SwivexTest.Help", 16),
            ERROR_SUCCESS);
  const std::string command = "\"" + recorder + "\" \"%1\"";
  ASSERT_EQ(::RegSetKeyValueA(HKEY_CLASSES_ROOT, "SwivexTest.Help\\shell\\open\\command", nullptr,
                              REG_SZ, command.c_str(), static_cast<DWORD>(command.size() + 1)),
            ERROR_SUCCESS);

  SwivexApp app(SwivexApp::Copy{folder_ + "\\"}, folder_);
  PostCommand(app.Window(), swivexui::kContents1);
  // The recorder writes its line in text mode.
  const std::string expected = "\"" + recorder + "\" \"" + folder_ + "\\Swivex.chm\"\r\n";
  WaitUntil([&] { return Exists(log) && !ReadText(log).empty(); }, "the help viewer to start");
  EXPECT_EQ(ReadText(log), expected);
}

}  // namespace
}  // namespace swivex::e2e
