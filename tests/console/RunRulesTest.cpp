// swivexc's rules for a run as a whole, on real files in a test folder, with faults, requests to
// stop and a console that the test controls: any error of one file is that file's failure, a
// request to stop cancels the file at hand and ends the run, and the exit code tells which.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "console/OutputNames.h"
#include "console/Swivexc.h"
#include "platform/SystemFileIdentities.h"
#include "platform/SystemFiles.h"
#include "platform/SystemFolders.h"
#include "playback/PlayerFileList.h"
#include "playback/PlayerFiles.h"
#include "tests/console/RecordingConsole.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestName.h"
#include "tests/swf/JpegSegments.h"
#include "tests/swf/MovieBuilder.h"

namespace swivex::testing {
namespace {

using swf::testing::kCleanJpeg;
using swf::testing::Le16;
using swf::testing::MovieBuilder;
using swf::testing::operator+;

// Something that happens just before the system's call `call` ("open", "create" or "rename")
// on a file whose name part is `name` (any file for "").
struct Event {
  const char* call = "";
  const char* name = "";
  void (*happen)(TestStops& stops) = nullptr;
};

// The system's files, with the event of a case and a program file that may be missing.
class EventFiles final : public SystemFiles {
 public:
  EventFiles(const Event& event, TestStops& stops) : event_(event), stops_(stops) {}

  FileResult OpenFileExclusive(const std::string& name) override {
    Before("open", name);
    return SystemFiles::OpenFileExclusive(name);
  }
  FileResult CreateNewFileExclusive(const std::string& name) override {
    Before("create", name);
    return SystemFiles::CreateNewFileExclusive(name);
  }
  ErrorCode RenameFile(const std::string& from, const std::string& to) override {
    Before("rename", to);
    return SystemFiles::RenameFile(from, to);
  }
  PathResult ModuleFileName() override {
    if (programFileMissing) return {{}, errors::kFileNotFound};
    return SystemFiles::ModuleFileName();
  }

  bool programFileMissing = false;

 private:
  void Before(const std::string& call, const std::string& name) {
    const std::string namePart = console::NamePart(name, Syntax());
    if (event_.happen && call == event_.call && (*event_.name == '\0' || namePart == event_.name))
      event_.happen(stops_);
  }

  const Event& event_;
  TestStops& stops_;
};

// The run's folder is the current folder while it lasts, so that the names in the report are
// the names given.
class WorkingFolder {
 public:
  explicit WorkingFolder(const std::filesystem::path& folder)
      : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(folder);
  }
  WorkingFolder(const WorkingFolder&) = delete;
  WorkingFolder& operator=(const WorkingFolder&) = delete;
  ~WorkingFolder() { std::filesystem::current_path(previous_); }

 private:
  std::filesystem::path previous_;
};

struct RunCase {
  const char* title;
  std::vector<std::string> arguments;
  Event event;
  int exitCode;
  std::string output;
  std::string error = "";  // the start of standard error
  bool programFileMissing = false;
  std::vector<std::string> absent = {};  // files or folders that the run leaves no trace of
};

const RunCase kRunCases[] = {
    {"out of memory fails that file alone",
     {"build", "a.swf", "b.swf", "c.swf", "--stub", "stub.bin"},
     {"open", "b.swf", [](TestStops&) { throw std::bad_alloc(); }},
     1,
     "ok: a.swf -> a.exe\nfailed: b.swf: Not enough memory\nok: c.swf -> c.exe\n"},
    {"a library that cannot be loaded fails that file",
     {"info", "--json", "a.swf"},
     {"open", "a.swf",
      [](TestStops&) { throw std::runtime_error("Cannot load bcrypt.dll. Not found"); }},
     1,
     "{\"file\": \"a.swf\", \"error\": \"Cannot load bcrypt.dll. Not found\"}\n"},
    {"anything raised fails that file, found before the extraction or in it",
     {"extract", "p.exe", "q.exe"},
     {"open", "p.exe", [](TestStops&) { throw 42; }},
     1,
     "failed: p.exe: Unknown error\nok: q.exe -> q.swf\n"},
    {"a picture that cannot be written fails, and the summary comes",
     {"pictures", "a.swf", "-o", "art"},
     {"create", "", [](TestStops&) { throw std::runtime_error("zlib failed deflating"); }},
     1,
     "failed: picture 1 (DefineBitsJPEG2): zlib failed deflating\n"
     "failed: picture 2 (DefineBitsJPEG2): zlib failed deflating\n"
     "a.swf: no pictures written (0 of 2)\n"},
    {"a command that stops before its first file",
     {"build", "a.swf"},
     {},
     1,
     "",
     "swivexc: Cannot find the program's own file. ",
     true},
    {"a request to stop between two files cancels the next, whatever it is",
     {"build", "a.swf", "missing.swf", "b.swf", "--stub", "stub.bin"},
     {"rename", "a.exe", [](TestStops& stops) { stops.request = StopRequest::kInterrupt; }},
     130,
     "ok: a.swf -> a.exe\ncancelled: missing.swf\n"},
    {"a request to stop during the walk of extract -r ends it before the next file",
     {"extract", "-r", "tree"},
     // Every open after the request turns it into a request to end, which the exit code shows.
     {"open", "",
      [](TestStops& stops) {
        stops.request =
            stops.request == StopRequest::kNone ? StopRequest::kInterrupt : StopRequest::kTerminate;
      }},
     130,
     "cancelled: tree\n"},
    {"a request to end while a movie is read cancels it, in JSON too",
     {"info", "--json", "a.swf", "b.swf"},
     {"open", "a.swf", [](TestStops& stops) { stops.request = StopRequest::kTerminate; }},
     143,
     "{\"file\": \"a.swf\", \"error\": \"cancelled\"}\n"},
    {"a request to stop while a web folder is written leaves no file of it, nor its folders",
     {"web", "a.swf", "b.swf", "-o", "site/all"},
     {"create", "", [](TestStops& stops) { stops.request = StopRequest::kInterrupt; }},
     130,
     "cancelled: a.swf\n",
     "",
     false,
     {"site"}},
};

void PrintTo(const RunCase& c, std::ostream* out) { *out << c.title; }

class RunRulesTest : public ::testing::TestWithParam<RunCase> {};

TEST_P(RunRulesTest, ReportsEachFileAndEndsWithItsExitCode) {
  const RunCase& c = GetParam();
  TempFolder folder;
  const Bytes movie =
      MovieBuilder().Tag(21, Le16(1) + kCleanJpeg).Tag(21, Le16(2) + kCleanJpeg).End().Fws();
  const Bytes projector =
      Concat(Bytes(10, 'S') + movie, ProjectorTrailer(static_cast<std::uint32_t>(movie.size())));
  for (const char* name : {"a.swf", "b.swf", "c.swf"}) WriteBytes(folder / name, movie);
  std::filesystem::create_directories(folder / "tree/one");
  std::filesystem::create_directories(folder / "tree/two");
  for (const char* name : {"p.exe", "q.exe", "tree/one/p.exe", "tree/one/q.exe", "tree/two/r.exe"})
    WriteBytes(folder / name, projector);
  WriteBytes(folder / "stub.bin", Bytes(10, 'S'));

  TestStops stops;
  EventFiles files(c.event, stops);
  files.programFileMissing = c.programFileMissing;
  SystemFolders folders;
  RecordingConsole console;
  SystemFileIdentities identities;
  std::array<PlayerFile, SWIVEX_PLAYER_FILE_COUNT> player;
  console::ConsoleSystem system{files,      folders, console,
                                identities, stops,   FindCarriedPlayerFiles(player)};
  const WorkingFolder working(folder.Path());

  EXPECT_EQ(console::RunSwivexc(c.arguments, system), c.exitCode);
  EXPECT_EQ(console.output, c.output);
  EXPECT_EQ(console.error.substr(0, c.error.size()), c.error);
  if (c.error.empty()) {
    EXPECT_EQ(console.error, "");
  }
  for (const std::string& name : c.absent) EXPECT_FALSE(std::filesystem::exists(name)) << name;
}

INSTANTIATE_TEST_SUITE_P(Runs, RunRulesTest, ::testing::ValuesIn(kRunCases), TitleAsName<RunCase>);

}  // namespace
}  // namespace swivex::testing
