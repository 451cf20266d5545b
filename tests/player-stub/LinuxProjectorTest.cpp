// A projector for Linux, as swivexc builds it beside the Linux player stub, run for real: it
// opens its page with xdg-open (here a script that writes down what it was given, or hands it
// to Chromium), serves the movie, and ends once the page has gone.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "tests/console/ProgramRun.h"
#include "tests/console/SwivexcPath.h"
#include "tests/playback/HttpClient.h"
#include "tests/support/PollUntil.h"
#include "tests/support/RedRectangleMovie.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFiles.h"

namespace swivex::testing {
namespace {

using namespace std::chrono_literals;

// An environment variable as a test sets it for the programs it starts (unset for nullptr), and
// as it was again afterwards.
class VariableForPrograms {
 public:
  VariableForPrograms(const char* name, const char* value) : name_(name) {
    if (const char* saved = std::getenv(name)) saved_ = saved;
    Set(name_, value);
  }
  ~VariableForPrograms() { Set(name_, saved_ ? saved_->c_str() : nullptr); }

 private:
  static void Set(const char* name, const char* value) {
    value != nullptr ? ::setenv(name, value, 1) : ::unsetenv(name);
  }

  const char* name_;
  std::optional<std::string> saved_;
};

// Whether the arguments of any process on the computer hold `text`, as any user may read them.
// A process that ends meanwhile has none.
bool AnyArgumentsHold(const std::string& text) {
  for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
    std::ifstream arguments(entry.path() / "cmdline", std::ios::binary);
    const std::string held{std::istreambuf_iterator<char>(arguments), {}};
    if (held.find(text) != std::string::npos) return true;
  }
  return false;
}

// The page's address in the file that hands it to the browser: the first one in quotes.
PageUrl AddressIn(const std::string& handover) {
  const std::string text = AsText(ReadBytes(handover));
  const std::size_t start = text.find("\"http://");
  if (start == std::string::npos) return {};
  return ParsePageUrl(text.substr(start + 1, text.find('"', start + 1) - start - 1));
}

class LinuxProjectorTest : public ::testing::Test {
 protected:
  LinuxProjectorTest() {
    ::umask(022);
    WriteBytes(work_ / "red.swf", kRedRectangleMovie);
    std::filesystem::create_directory(work_.Path() / "bin");
    for (const char* folder : {"runtime", "temporary"}) {
      std::filesystem::create_directory(work_.Path() / folder);
      std::filesystem::permissions(work_.Path() / folder, std::filesystem::perms::owner_all);
    }
  }

  // Puts a shell script that stands in for xdg-open in the folder "bin".
  void WriteLauncher(const std::string& script) {
    const std::string launcher = work_ / "bin/xdg-open";
    const std::string text = "#!/bin/sh\n" + script + "\n";
    WriteBytes(launcher, Bytes(text.begin(), text.end()));
    std::filesystem::permissions(launcher, std::filesystem::perms::owner_all);
  }

  // A stand-in for xdg-open that writes down its process and its arguments, then runs `rest`.
  void WriteRecordingLauncher(const std::string& rest) {
    WriteLauncher("echo $$ > '" + (work_ / "launcher.pid") + "'\nprintf '%s\\n' \"$@\" > '" +
                  (work_ / "arguments.partial") + "' && mv '" + (work_ / "arguments.partial") +
                  "' '" + (work_ / "arguments.txt") + "'\n" + rest);
  }

  // The file that the launcher was given, once it has been started.
  std::string LauncherArgument() const {
    if (!PollUntil([&] { return Exists(work_ / "arguments.txt"); }, 30s)) return "";
    const std::string line = AsText(ReadBytes(work_ / "arguments.txt"));
    return line.substr(0, line.find('\n'));
  }

  void BuildProjector() {
    ASSERT_EQ(RunProgram(kSwivexc, {"build", "--linux", "red.swf"}, work_ / "").exitCode, 0);
  }

  TempFolder work_;
  VariableForPrograms runtime_{"XDG_RUNTIME_DIR", (work_ / "runtime").c_str()};
  VariableForPrograms temporary_{"TMPDIR", (work_ / "temporary").c_str()};
};

// A file that the user alone can read, in a folder of its own in `base` that the user alone can
// enter.
void ExpectPrivateHandover(const std::filesystem::path& file, const std::filesystem::path& base) {
  const std::filesystem::path folder = file.parent_path();
  EXPECT_EQ(folder.parent_path(), base) << file;
  struct stat status {};
  ASSERT_EQ(::lstat(file.c_str(), &status), 0) << file;
  EXPECT_TRUE(S_ISREG(status.st_mode)) << file;
  EXPECT_EQ(status.st_mode & 07777, 0600u) << file;
  EXPECT_EQ(status.st_uid, ::getuid()) << file;
  ASSERT_EQ(::lstat(folder.c_str(), &status), 0) << folder;
  EXPECT_TRUE(S_ISDIR(status.st_mode)) << folder;
  EXPECT_EQ(status.st_mode & 07777, 0700u) << folder;
}

TEST_F(LinuxProjectorTest, SwivexcBuildsOneThatPlaysInTheDefaultBrowserAndEndsWithThePage) {
  const ProgramResult built = RunProgram(kSwivexc, {"build", "--linux", "red.swf"}, work_ / "");
  EXPECT_EQ(built.exitCode, 0) << built.error;
  EXPECT_EQ(built.output, "ok: red.swf -> red\n");
  struct stat status {};
  ASSERT_EQ(::stat((work_ / "red").c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0755u);
  const Bytes stub = ReadBytes(std::filesystem::path(kSwivexc).parent_path() / "viewhost");
  EXPECT_EQ(ReadBytes(work_ / "red"),
            Concat(Concat(stub, kRedRectangleMovie), ProjectorTrailer(75)));

  // As some xdg-open do, the launcher runs on until the browser it started ends.
  WriteRecordingLauncher("while [ ! -e '" + (work_ / "browser.closed") +
                         "' ]; do sleep 0.05; done");
  VariableForPrograms path("PATH", ((work_ / "bin") + ":" + std::getenv("PATH")).c_str());
  StartedProgram projector(work_ / "red", {}, work_ / "");
  const std::string handover = LauncherArgument();
  ASSERT_FALSE(handover.empty()) << "the launcher was not started";
  ASSERT_NO_FATAL_FAILURE(ExpectPrivateHandover(handover, work_.Path() / "runtime"));
  const PageUrl page = AddressIn(handover);
  ASSERT_NE(page.port, 0u) << AsText(ReadBytes(handover));
  EXPECT_FALSE(AnyArgumentsHold(page.base.substr(1, 32))) << "the token is on a command line";

  const std::string served = Request(page.port, "GET", page.base).body;
  EXPECT_NE(served.find("<title>red</title>"), std::string::npos);
  // The default browser takes no switch: the sound may wait for a click on the player's overlay.
  EXPECT_NE(served.find("unmuteOverlay: \"visible\""), std::string::npos);
  EXPECT_EQ(Request(page.port, "GET", page.base + "icon.ico").body,
            AsText(ReadBytes(SWIVEX_PROGRAM_ICON_FILE)))
      << "the program's icon, which the stub carries";
  const HttpResponse movie = Request(page.port, "GET", page.base + "red.swf");
  EXPECT_EQ(movie.body, AsText(kRedRectangleMovie));
  {
    HttpConnection stream(page.port);
    stream.Send(GetHead(page.port, page.base + "events"));
    EXPECT_EQ(stream.Receive().status, 200);
    EXPECT_TRUE(
        PollUntil([&] { return !Exists(std::filesystem::path(handover).parent_path()); }, 10s))
        << "the handover outlives the page's connection";
    const std::string launcher =
        "/proc/" + std::to_string(std::stoi(AsText(ReadBytes(work_ / "launcher.pid"))));
    WriteBytes(work_ / "browser.closed", {});
    EXPECT_TRUE(PollUntil([&] { return !Exists(launcher); }, 10s))
        << "the launcher ended, but is not reaped";
  }
  EXPECT_EQ(projector.Wait().exitCode, 0) << "the projector ends once its page has gone";
}

TEST_F(LinuxProjectorTest, ABrowserFollowsTheHandoverToThePage) {
  BuildProjector();
  WriteRecordingLauncher(
      "exec chromium --headless=new --no-sandbox --disable-gpu --user-data-dir='" +
      (work_ / "profile") + "' --dump-dom \"$1\" > /dev/null 2>&1");
  VariableForPrograms path("PATH", ((work_ / "bin") + ":" + std::getenv("PATH")).c_str());
  StartedProgram projector(work_ / "red", {}, work_ / "");
  const ProgramResult run = projector.Wait(90s);
  EXPECT_EQ(run.exitCode, 0) << "the page came, and went: " << run.error;
  const std::string handover = LauncherArgument();
  ASSERT_FALSE(handover.empty()) << "the launcher was not started";
  EXPECT_FALSE(Exists(std::filesystem::path(handover).parent_path()));
}

struct NoBrowserCase {
  const char* name;
  const char* launcher;  // what the stand-in for xdg-open does; nullptr: there is none
};

TEST_F(LinuxProjectorTest, SaysSoAtOnceWhenNoBrowserCanBeStarted) {
  BuildProjector();
  const NoBrowserCase cases[] = {
      {"no xdg-open", nullptr},
      {"xdg-open fails", "exit 4"},
      {"xdg-open is killed", "kill -KILL $$"},
  };
  for (const NoBrowserCase& tried : cases) {
    std::filesystem::remove(work_ / "bin/xdg-open");
    if (tried.launcher != nullptr) WriteLauncher(tried.launcher);
    VariableForPrograms path("PATH", (work_ / "bin").c_str());
    StartedProgram projector(work_ / "red", {}, work_ / "");
    // Well before the two minutes in which a page that a browser was asked for may still come.
    const ProgramResult run = projector.Wait(20s);
    EXPECT_EQ(run.exitCode, 6) << tried.name;
    EXPECT_NE(run.error.find("No web browser could be started"), std::string::npos)
        << tried.name << ": " << run.error;
    EXPECT_TRUE(std::filesystem::is_empty(work_.Path() / "runtime")) << tried.name;
  }
}

struct StopCase {
  int signal;
  const char* runtime;   // XDG_RUNTIME_DIR: a folder in the test's, or unset
  const char* expected;  // the folder in which the handover is made
};

TEST_F(LinuxProjectorTest, RemovesTheHandoverWhenStoppedBeforeThePageCame) {
  BuildProjector();
  WriteRecordingLauncher("");
  VariableForPrograms path("PATH", ((work_ / "bin") + ":" + std::getenv("PATH")).c_str());
  const StopCase cases[] = {
      {SIGINT, "runtime", "runtime"},
      {SIGTERM, nullptr, "temporary"},
      {SIGHUP, "runtime", "runtime"},
  };
  for (const StopCase& tried : cases) {
    std::filesystem::remove(work_ / "arguments.txt");
    const std::string runtime = tried.runtime ? work_ / tried.runtime : "";
    VariableForPrograms runtimeFolder("XDG_RUNTIME_DIR", tried.runtime ? runtime.c_str() : nullptr);
    StartedProgram projector(work_ / "red", {}, work_ / "");
    const std::string handover = LauncherArgument();
    ASSERT_FALSE(handover.empty()) << "the launcher was not started";
    ASSERT_NO_FATAL_FAILURE(ExpectPrivateHandover(handover, work_.Path() / tried.expected));
    projector.SendSignal(tried.signal);
    EXPECT_EQ(projector.Wait().exitCode, -1) << "stopped by signal " << tried.signal;
    EXPECT_TRUE(std::filesystem::is_empty(work_.Path() / tried.expected)) << tried.signal;
  }
}

}  // namespace
}  // namespace swivex::testing
