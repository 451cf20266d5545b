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
    const std::string browser = work_ / "bin/xdg-open";
    const std::string script = "#!/bin/sh\necho \"$1\" > '" + (work_ / "address.partial") +
                               "' && mv '" + (work_ / "address.partial") + "' '" +
                               (work_ / "address.txt") + "'\n";
    WriteBytes(browser, Bytes(script.begin(), script.end()));
    std::filesystem::permissions(browser, std::filesystem::perms::owner_all);
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

  PathForPrograms path((work_ / "bin") + ":" + std::getenv("PATH"));
  StartedProgram projector(work_ / "red", {}, work_ / "");
  ASSERT_TRUE(PollUntil([&] { return Exists(work_ / "address.txt"); }, 30s));
  const PageUrl page = ParsePageUrl(AsText(ReadBytes(work_ / "address.txt")));
  ASSERT_NE(page.port, 0u);

  EXPECT_NE(Request(page.port, "GET", page.base).body.find("<title>red</title>"), std::string::npos);
  const HttpResponse movie = Request(page.port, "GET", page.base + "red.swf");
  EXPECT_EQ(movie.body, AsText(kRedRectangleMovie));
  {
    HttpConnection stream(page.port);
    stream.Send(GetHead(page.port, page.base + "events"));
    EXPECT_EQ(stream.Receive().status, 200);
  }
  EXPECT_EQ(projector.Wait().exitCode, 0) << "the projector ends once its page has gone";
}

TEST_F(LinuxProjectorTest, SaysSoWhenNoBrowserCanBeStarted) {
  ASSERT_EQ(RunProgram(kSwivexc, {"build", "--linux", "red.swf"}, work_ / "").exitCode, 0);
  PathForPrograms path(work_ / "nowhere");
  const ProgramResult run = RunProgram(work_ / "red", {}, work_ / "");
  EXPECT_EQ(run.exitCode, 6);
  EXPECT_NE(run.error.find("No web browser could be started"), std::string::npos) << run.error;
}

}  // namespace
}  // namespace swivex::testing
