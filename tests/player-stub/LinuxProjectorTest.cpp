// A projector for Linux, as swivexc builds it beside the Linux player stub, run for real: it
// opens its page with xdg-open (here a script that writes the address down), serves the movie,
// and ends once the page has gone.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/console/ProgramRun.h"
#include "tests/console/SwivexcPath.h"
#include "tests/player-stub/server/HttpClient.h"
#include "tests/support/PollUntil.h"
#include "tests/support/RedRectangleMovie.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFiles.h"

namespace swivex::testing {
namespace {

using namespace std::chrono_literals;

// PATH as a test sets it for the programs it starts, and as it was again afterwards.
class PathForPrograms {
 public:
  explicit PathForPrograms(const std::string& path) : saved_(std::getenv("PATH")) {
    ::setenv("PATH", path.c_str(), 1);
  }
  ~PathForPrograms() { ::setenv("PATH", saved_.c_str(), 1); }

 private:
  std::string saved_;
};

class LinuxProjectorTest : public ::testing::Test {
 protected:
  LinuxProjectorTest() {
    ::umask(022);
    WriteBytes(work_ / "red.swf", kRedRectangleMovie);
    std::filesystem::create_directory(work_.Path() / "bin");
  }

  // Puts a shell script that stands in for xdg-open in the folder "bin".
  void WriteLauncher(const std::string& script) {
    const std::string launcher = work_ / "bin/xdg-open";
    const std::string text = "#!/bin/sh\n" + script + "\n";
    WriteBytes(launcher, Bytes(text.begin(), text.end()));
    std::filesystem::permissions(launcher, std::filesystem::perms::owner_all);
  }

  TempFolder work_;
};

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

  WriteLauncher("echo \"$1\" > '" + (work_ / "address.partial") + "' && mv '" +
                (work_ / "address.partial") + "' '" + (work_ / "address.txt") + "'");
  PathForPrograms path((work_ / "bin") + ":" + std::getenv("PATH"));
  StartedProgram projector(work_ / "red", {}, work_ / "");
  ASSERT_TRUE(PollUntil([&] { return Exists(work_ / "address.txt"); }, 30s));
  const PageUrl page = ParsePageUrl(AsText(ReadBytes(work_ / "address.txt")));
  ASSERT_NE(page.port, 0u);

  EXPECT_NE(Request(page.port, "GET", page.base).body.find("<title>red</title>"),
            std::string::npos);
  const HttpResponse movie = Request(page.port, "GET", page.base + "red.swf");
  EXPECT_EQ(movie.body, AsText(kRedRectangleMovie));
  {
    HttpConnection stream(page.port);
    stream.Send(GetHead(page.port, page.base + "events"));
    EXPECT_EQ(stream.Receive().status, 200);
  }
  EXPECT_EQ(projector.Wait().exitCode, 0) << "the projector ends once its page has gone";
}

struct NoBrowserCase {
  const char* name;
  const char* launcher;  // what the stand-in for xdg-open does; nullptr: there is none
};

TEST_F(LinuxProjectorTest, SaysSoAtOnceWhenNoBrowserCanBeStarted) {
  ASSERT_EQ(RunProgram(kSwivexc, {"build", "--linux", "red.swf"}, work_ / "").exitCode, 0);
  const NoBrowserCase cases[] = {
      {"no xdg-open", nullptr},
      {"xdg-open fails", "exit 4"},
      {"xdg-open is killed", "kill -KILL $$"},
  };
  for (const NoBrowserCase& tried : cases) {
    std::filesystem::remove(work_ / "bin/xdg-open");
    if (tried.launcher != nullptr) WriteLauncher(tried.launcher);
    PathForPrograms path(work_ / "bin");
    StartedProgram projector(work_ / "red", {}, work_ / "");
    // Well before the two minutes in which a page that a browser was asked for may still come.
    const ProgramResult run = projector.Wait(20s);
    EXPECT_EQ(run.exitCode, 6) << tried.name;
    EXPECT_NE(run.error.find("No web browser could be started"), std::string::npos)
        << tried.name << ": " << run.error;
  }
}

}  // namespace
}  // namespace swivex::testing
