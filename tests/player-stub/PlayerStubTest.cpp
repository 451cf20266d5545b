// Runs projectors built the way Swivex builds them, and the bare player stub, under Windows, and
// reads what they show the way a user would: through their message boxes.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "common/SystemErrorText.h"
#include "platform/SystemFiles.h"
#include "player-stub/StubOutcome.h"
#include "projector/Conversions.h"
#include "projector/ProjectorTrailer.h"
#include "tests/support/MovedProgramFiles.h"
#include "tests/support/PollUntil.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFiles.h"

namespace swivex::testing {
namespace {

using namespace std::chrono_literals;
constexpr auto kPatience = 20s;
constexpr char kStubTitle[] = "Swivex projector";

// The program folder of this build, where Viewhost.exe is built.
std::filesystem::path BuiltProgramFolder() {
  const std::filesystem::path tests = std::filesystem::path(SystemFiles().ModuleFileName().path);
  return (tests.parent_path() / SWIVEX_PROGRAM_DIR_FROM_TESTS).lexically_normal();
}

std::string ShippedStub() { return (BuiltProgramFolder() / kPlayerStubName).string(); }

std::string TempFolderOfWindows() {
  char folder[MAX_PATH + 1];
  const DWORD length = ::GetTempPathA(sizeof folder, folder);
  return std::string(folder, length);
}

// Where the stub saves movies.
std::string CopyFolderOfWindows() { return TempFolderOfWindows() + "Swivex\\"; }

// The .swf files in the temporary folder and in the copy folder.
std::set<std::string> SwfFilesInTemp() {
  std::set<std::string> files;
  for (const std::string& folder : {TempFolderOfWindows(), CopyFolderOfWindows()}) {
    if (!std::filesystem::exists(folder)) continue;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
      if (entry.path().extension() == ".swf") files.insert(entry.path().string());
  }
  return files;
}

// The files in the copy folder whose names start with `name`, with their bytes.
std::map<std::string, Bytes> CopiesNamed(const std::string& name) {
  std::map<std::string, Bytes> copies;
  for (const auto& entry : std::filesystem::directory_iterator(CopyFolderOfWindows())) {
    const std::string file = entry.path().filename().string();
    if (file.rfind(name, 0) == 0) copies[file] = ReadBytes(entry.path().string());
  }
  return copies;
}

// The process environment with the temporary folder moved to `folder`.
std::string EnvironmentWithTempFolder(const std::string& folder) {
  std::string block;
  char* strings = ::GetEnvironmentStringsA();
  for (const char* entry = strings; *entry != '\0'; entry += std::strlen(entry) + 1) {
    if (::_strnicmp(entry, "TMP=", 4) == 0 || ::_strnicmp(entry, "TEMP=", 5) == 0) continue;
    block.append(entry).push_back('\0');
  }
  ::FreeEnvironmentStringsA(strings);
  block.append("TMP=" + folder).push_back('\0');
  block.append("TEMP=" + folder).push_back('\0');
  return block;
}

// A program started by a test; ended on the way out if the test leaves it running.
class StartedProgram {
 public:
  explicit StartedProgram(const std::string& path, const std::string* environment = nullptr) {
    std::string commandLine = "\"" + path + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    void* block = environment ? const_cast<char*>(environment->c_str()) : nullptr;
    if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, block, nullptr,
                          &startup, &process))
      throw std::runtime_error("cannot start " + path);
    ::CloseHandle(process.hThread);
    process_ = process.hProcess;
    id_ = process.dwProcessId;
  }
  StartedProgram(const StartedProgram&) = delete;
  StartedProgram& operator=(const StartedProgram&) = delete;
  ~StartedProgram() {
    if (!WaitForExit(0ms)) {
      ::TerminateProcess(process_, 99);
      ::WaitForSingleObject(process_, INFINITE);
    }
    ::CloseHandle(process_);
  }

  DWORD Id() const { return id_; }
  std::optional<DWORD> WaitForExit(std::chrono::milliseconds patience) {
    if (::WaitForSingleObject(process_, static_cast<DWORD>(patience.count())) != WAIT_OBJECT_0)
      return std::nullopt;
    DWORD code = 0;
    ::GetExitCodeProcess(process_, &code);
    return code;
  }

 private:
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
};

struct WindowSearch {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK MatchMessageBox(HWND window, LPARAM search) {
  auto* wanted = reinterpret_cast<WindowSearch*>(search);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  char className[16] = {};
  ::GetClassNameA(window, className, sizeof className);
  if (owner != wanted->processId || std::string(className) != "#32770" ||
      !::IsWindowVisible(window))
    return TRUE;
  wanted->found = window;
  return FALSE;
}

// The visible dialog of the process, or nullptr once the process has ended or time is up.
HWND WaitForMessageBox(StartedProgram& program) {
  const auto deadline = std::chrono::steady_clock::now() + kPatience;
  while (std::chrono::steady_clock::now() < deadline) {
    WindowSearch search{program.Id(), nullptr};
    ::EnumWindows(MatchMessageBox, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    if (program.WaitForExit(50ms)) return nullptr;
  }
  return nullptr;
}

// Another process's window text: WM_GETTEXT, which GetWindowTextA does not send across
// processes.
std::string TextOf(HWND window) {
  DWORD_PTR length = 0;
  ::SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length);
  std::string text(length + 1, '\0');
  DWORD_PTR copied = 0;
  ::SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, 5000, &copied);
  text.resize(copied);
  return text;
}

// What one run of a projector (or of the bare stub) showed, and how it ended.
struct StubRun {
  bool showedMessage = false;
  std::string caption;
  std::string text;
  std::optional<DWORD> exitCode;
};

// Runs the program, reads the message box it shows, presses OK and waits for it to end.
StubRun RunAndConfirm(const std::string& program, const std::string* environment = nullptr) {
  StartedProgram started(program, environment);
  StubRun run;
  if (HWND box = WaitForMessageBox(started)) {
    run.showedMessage = true;
    run.caption = TextOf(box);
    constexpr int kMessageTextId = 0xFFFF;  // the MessageBox's text is a Static of this ID
    run.text = TextOf(::GetDlgItem(box, kMessageTextId));
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
  }
  run.exitCode = started.WaitForExit(kPatience);
  return run;
}

// Holds a file open for reading, sharing it for reading only, as Windows' loader holds a running
// program's file. Wine's loader does not, so without this a stub that opened itself without
// sharing would pass here and fail on Windows.
class HeldAsRunningImage {
 public:
  explicit HeldAsRunningImage(const std::string& file)
      : handle_(::CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr)) {
    if (handle_ == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot hold " + file);
  }
  HeldAsRunningImage(const HeldAsRunningImage&) = delete;
  HeldAsRunningImage& operator=(const HeldAsRunningImage&) = delete;
  ~HeldAsRunningImage() { ::CloseHandle(handle_); }

 private:
  HANDLE handle_;
};

DWORD ExitCodeOf(StubOutcome outcome) { return static_cast<DWORD>(outcome); }

// The saved movie's path from the no-player message: the line that starts with the temporary
// folder.
std::string SavedPathIn(const std::string& text) {
  const std::size_t start = text.find(TempFolderOfWindows());
  if (start == std::string::npos) return {};
  return text.substr(start, text.find('\n', start) - start);
}

// Builds projectors with BuildProjector from the Viewhost.exe of this build.
class PlayerStubTest : public ::testing::Test {
 protected:
  // A projector name that no other run has used, so that its saved movie is recognisable.
  std::string FreshName() {
    std::random_device entropy;
    return "stub-test-" + std::to_string(entropy() % 1000000);
  }

  std::string BuildProjectorOf(const std::string& name, const Bytes& movie) {
    WriteBytes(work / (name + ".swf"), movie);
    EXPECT_EQ(BuildProjector(work / (name + ".swf"), work / (name + ".exe"), files),
              kConvertedMessage);
    return work / (name + ".exe");
  }

  // Removed at the end, so that test runs leave the temporary folder as they found it.
  void RemoveAtEnd(const std::string& file) { leftovers_.push_back(file); }
  void TearDown() override {
    for (const auto& file : leftovers_) std::filesystem::remove(file);
  }

  TempFolder work;
  MovedProgramFiles files{(BuiltProgramFolder() / "Swivex.exe").string()};

 private:
  std::vector<std::string> leftovers_;
};

using PlayerStubWithoutSwfPlayer = PlayerStubTest;

TEST_F(PlayerStubWithoutSwfPlayer, SavesTheMovieAndSaysWhereWhenNoPlayerIsRegistered) {
  // One byte; a copy of exactly one chunk; several chunks and a part.
  for (std::size_t movieSize : {1, 65536, 200003}) {
    SCOPED_TRACE(movieSize);
    const std::string name = FreshName();
    const Bytes movie = RandomBytes(movieSize, static_cast<std::uint32_t>(movieSize));
    const std::string projector = BuildProjectorOf(name, movie);
    const Bytes projectorBytes = ReadBytes(projector);

    const StubRun run = [&] {
      HeldAsRunningImage image(projector);
      return RunAndConfirm(projector);
    }();

    ASSERT_TRUE(run.showedMessage);
    EXPECT_EQ(run.caption, kStubTitle);
    EXPECT_NE(run.text.find("No program is registered on this computer to open .swf files"),
              std::string::npos)
        << run.text;
    const std::string saved = SavedPathIn(run.text);
    RemoveAtEnd(saved);
    EXPECT_EQ(saved, CopyFolderOfWindows() + name + ".swf") << run.text;
    ASSERT_TRUE(Exists(saved));
    EXPECT_EQ(ReadBytes(saved), movie);
    EXPECT_EQ(run.exitCode, ExitCodeOf(StubOutcome::NoSwfPlayer));
    EXPECT_EQ(ReadBytes(projector), projectorBytes) << "the projector changed itself";
  }
}

TEST_F(PlayerStubWithoutSwfPlayer, NeverReplacesAFileInTheTemporaryFolder) {
  const std::string name = FreshName();
  std::filesystem::create_directory(CopyFolderOfWindows());
  const std::string taken = CopyFolderOfWindows() + name + ".swf";
  const Bytes someoneElses = RandomBytes(300, 1);
  WriteBytes(taken, someoneElses);
  RemoveAtEnd(taken);
  const Bytes movie = RandomBytes(5000, 2);

  const StubRun run = RunAndConfirm(BuildProjectorOf(name, movie));

  const std::string saved = SavedPathIn(run.text);
  RemoveAtEnd(saved);
  EXPECT_EQ(saved, CopyFolderOfWindows() + name + " (2).swf") << run.text;
  EXPECT_EQ(ReadBytes(saved), movie);
  EXPECT_EQ(ReadBytes(taken), someoneElses);
}

TEST_F(PlayerStubWithoutSwfPlayer, KeepsOneCopyOfEachMovieHoweverOftenItsProjectorRuns) {
  const std::string name = FreshName();
  const Bytes movie = RandomBytes(70000, 6);
  const Bytes otherMovie = RandomBytes(70000, 7);
  const std::string projector = BuildProjectorOf(name, movie);
  // Another projector of the same name, in another folder.
  const std::filesystem::path otherFolder = work.Path() / "other";
  std::filesystem::create_directory(otherFolder);
  const std::string otherMovieFile = (otherFolder / (name + ".swf")).string();
  const std::string otherProjector = (otherFolder / (name + ".exe")).string();
  WriteBytes(otherMovieFile, otherMovie);
  ASSERT_EQ(BuildProjector(otherMovieFile, otherProjector, files), kConvertedMessage);
  const std::string copy = CopyFolderOfWindows() + name + ".swf";
  const std::string otherCopy = CopyFolderOfWindows() + name + " (2).swf";
  RemoveAtEnd(copy);
  RemoveAtEnd(otherCopy);

  EXPECT_EQ(SavedPathIn(RunAndConfirm(projector).text), copy);
  // Dated back, so that a copy written again would show.
  const auto longAgo = std::filesystem::last_write_time(copy) - std::chrono::hours(24 * 400);
  std::filesystem::last_write_time(copy, longAgo);
  // The two projectors take turns: each uses the copy that its first run saved.
  for (int round = 0; round < 10; ++round) {
    SCOPED_TRACE(round);
    EXPECT_EQ(SavedPathIn(RunAndConfirm(otherProjector).text), otherCopy);
    EXPECT_EQ(SavedPathIn(RunAndConfirm(projector).text), copy);
  }

  EXPECT_TRUE(CopiesNamed(name) == (std::map<std::string, Bytes>{{name + ".swf", movie},
                                                                 {name + " (2).swf", otherMovie}}))
      << CopiesNamed(name).size() << " copies";
  EXPECT_EQ(std::filesystem::last_write_time(copy), longAgo) << "the copy was written again";
}

TEST_F(PlayerStubWithoutSwfPlayer, SaysItIsOnlyAPlayerStubWhenNoMovieIsBehindIt) {
  const Bytes stub = ReadBytes(ShippedStub());
  const Bytes movie = RandomBytes(1000, 3);
  const auto trailer = [](std::uint32_t length) {
    const LittleEndian32 marker = ToLittleEndian(ProjectorMagic);
    const LittleEndian32 field = ToLittleEndian(length);
    return Bytes{marker[0], marker[1], marker[2], marker[3],
                 field[0],  field[1],  field[2],  field[3]};
  };
  struct BareCase {
    const char* name;
    std::string file;
  };
  const std::string noTrailer = work / "no-trailer.exe";
  WriteBytes(noTrailer, Concat(stub, movie));
  const std::string tooLong = work / "too-long.exe";
  const auto lengthOfAllButTrailer = static_cast<std::uint32_t>(stub.size() + movie.size());
  WriteBytes(tooLong, Concat(Concat(stub, movie), trailer(lengthOfAllButTrailer + 1)));
  const BareCase cases[] = {
      {"Viewhost.exe as it ships", ShippedStub()},
      {"stub and movie without a trailer", noTrailer},
      {"trailer that claims one byte more than the file holds", tooLong},
  };

  const std::set<std::string> swfFilesBefore = SwfFilesInTemp();
  for (const BareCase& test : cases) {
    SCOPED_TRACE(test.name);
    const Bytes before = ReadBytes(test.file);

    const StubRun run = RunAndConfirm(test.file);

    ASSERT_TRUE(run.showedMessage);
    EXPECT_EQ(run.caption, kStubTitle);
    EXPECT_NE(run.text.find("player stub for Swivex projectors"), std::string::npos) << run.text;
    EXPECT_NE(run.text.find("not meant to be run on its own"), std::string::npos) << run.text;
    EXPECT_EQ(run.exitCode, ExitCodeOf(StubOutcome::BareStub));
    EXPECT_EQ(ReadBytes(test.file), before);
  }
  EXPECT_EQ(SwfFilesInTemp(), swfFilesBefore) << "a bare stub saved a movie";
}

TEST_F(PlayerStubWithoutSwfPlayer, SaysThereIsNothingToPlayInAProjectorOfAnEmptyMovie) {
  const std::set<std::string> swfFilesBefore = SwfFilesInTemp();

  const StubRun run = RunAndConfirm(BuildProjectorOf(FreshName(), {}));

  ASSERT_TRUE(run.showedMessage);
  EXPECT_EQ(run.caption, kStubTitle);
  EXPECT_NE(run.text.find("empty movie"), std::string::npos) << run.text;
  EXPECT_EQ(run.exitCode, ExitCodeOf(StubOutcome::EmptyMovie));
  EXPECT_EQ(SwfFilesInTemp(), swfFilesBefore);
}

TEST_F(PlayerStubWithoutSwfPlayer, ReportsATemporaryFolderItCannotSaveInAndLeavesNothing) {
  const std::string name = FreshName();
  const std::string missingFolder = work / "no-such-folder";
  const std::string environment = EnvironmentWithTempFolder(missingFolder);

  const StubRun run = RunAndConfirm(BuildProjectorOf(name, RandomBytes(100, 4)), &environment);

  ASSERT_TRUE(run.showedMessage);
  EXPECT_EQ(run.caption, kStubTitle);
  EXPECT_EQ(run.text, "Cannot save the movie to \"" + missingFolder + "\\Swivex\". " +
                          SystemErrorText(ERROR_PATH_NOT_FOUND, files) + ".");
  EXPECT_EQ(run.exitCode, ExitCodeOf(StubOutcome::Failed));
  EXPECT_FALSE(Exists(missingFolder));
}

// Runs only in a prefix where swf_open_recorder is registered for .swf files.
using PlayerStubWithSwfPlayer = PlayerStubTest;

TEST_F(PlayerStubWithSwfPlayer, HandsTheSavedMovieToTheRegisteredPlayer) {
  std::filesystem::path record = SystemFiles().ModuleFileName().path;
  record.replace_filename("swf_open_recorder.txt");
  std::filesystem::remove(record);
  const std::string name = FreshName();
  const Bytes movie = RandomBytes(70000, 5);
  const std::string projector = BuildProjectorOf(name, movie);
  const Bytes projectorBytes = ReadBytes(projector);

  const StubRun run = RunAndConfirm(projector);

  EXPECT_FALSE(run.showedMessage) << run.text;
  EXPECT_EQ(run.exitCode, ExitCodeOf(StubOutcome::MovieOpened));
  ASSERT_TRUE(PollUntil([&] { return std::filesystem::exists(record); }, kPatience))
      << "the registered player was not started";
  const Bytes recorded = ReadBytes(record.string());
  const std::string opened(recorded.begin(), recorded.end());
  RemoveAtEnd(opened);
  RemoveAtEnd(record.string());
  EXPECT_EQ(opened, CopyFolderOfWindows() + name + ".swf");
  EXPECT_EQ(ReadBytes(opened), movie);
  EXPECT_EQ(ReadBytes(projector), projectorBytes);
}

TEST_F(PlayerStubWithSwfPlayer, OpensNothingWhenRunOnItsOwn) {
  std::filesystem::path record = SystemFiles().ModuleFileName().path;
  record.replace_filename("swf_open_recorder.txt");
  std::filesystem::remove(record);

  const StubRun run = RunAndConfirm(ShippedStub());

  EXPECT_NE(run.text.find("not meant to be run on its own"), std::string::npos) << run.text;
  EXPECT_EQ(run.exitCode, ExitCodeOf(StubOutcome::BareStub));
  EXPECT_FALSE(std::filesystem::exists(record)) << "the player was started";
}

}  // namespace
}  // namespace swivex::testing
