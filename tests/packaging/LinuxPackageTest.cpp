// The Linux packages as tools/package.sh makes them: the .deb installed by dpkg into a folder of
// the test's own, with a database of its own so that the computer's is not touched, and the
// .tar.gz unpacked. From either, swivexc builds a projector for Linux that serves its movie, and
// neither program needs a library but the C library's.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tests/console/ProgramRun.h"
#include "tests/playback/HttpClient.h"
#include "tests/support/PollUntil.h"
#include "tests/support/RedRectangleMovie.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFiles.h"
#include "tests/support/VariableForPrograms.h"

namespace swivex::testing {
namespace {

using namespace std::chrono_literals;

const std::string kUnpacked = "unpacked/swivex-1.0.1.7-linux-x86_64/";

// A file that a package holds, where the test put it: its mode and its first line (none for a
// program).
struct PackedFile {
  std::string path;
  unsigned mode;
  std::string firstLine;
};

// Where a package puts the two programs, below the test's folder.
struct Layout {
  const char* name;
  std::string swivexc;
  std::string stub;
};

const Layout kLayouts[] = {
    {"installed .deb", "root/usr/bin/swivexc", "root/usr/lib/swivex/viewhost"},
    {"unpacked .tar.gz", kUnpacked + "bin/swivexc", kUnpacked + "lib/swivex/viewhost"},
};

std::string FirstLine(const std::string& file) {
  const std::string text = AsText(ReadBytes(file));
  return text.substr(0, text.find('\n'));
}

// The regular files below `folder`, named from the test's folder `work`.
std::set<std::string> FilesBelow(const std::filesystem::path& work, const std::string& folder) {
  std::set<std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(work / folder))
    if (entry.is_regular_file()) files.insert(entry.path().lexically_relative(work).string());
  return files;
}

class LinuxPackageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* folder : {"root", "admin/updates", "admin/info", "unpacked"})
      std::filesystem::create_directories(work_.Path() / folder);
    // The package needs the C library, which this database knows as the computer has it.
    const ProgramResult libc = RunProgram("/usr/bin/dpkg-query", {"-s", "libc6"}, work_ / "");
    ASSERT_EQ(libc.exitCode, 0) << libc.error;
    WriteBytes(work_ / "admin/status", Bytes(libc.output.begin(), libc.output.end()));
    const ProgramResult installed = Dpkg({"-i", SWIVEX_LINUX_DEB});
    ASSERT_EQ(installed.exitCode, 0) << installed.output << installed.error;
    const ProgramResult unpacked =
        RunProgram("/usr/bin/tar", {"-xzf", SWIVEX_LINUX_TARBALL, "-C", "unpacked"}, work_ / "");
    ASSERT_EQ(unpacked.exitCode, 0) << unpacked.error;
  }

  ProgramResult Dpkg(const std::vector<std::string>& arguments) {
    std::vector<std::string> all = {"--instdir=" + (work_ / "root"),
                                    "--admindir=" + (work_ / "admin"),
                                    "--log=" + (work_ / "dpkg.log"), "--force-not-root"};
    all.insert(all.end(), arguments.begin(), arguments.end());
    return RunProgram("/usr/bin/dpkg", all, work_ / "");
  }

  TempFolder work_;
};

TEST_F(LinuxPackageTest, HoldTheProgramsWithTheirReadmeAndLicencesAndNothingElse) {
  const PackedFile expected[] = {
      {"root/usr/bin/swivexc", 0755, ""},
      {"root/usr/lib/swivex/viewhost", 0755, ""},
      {"root/usr/share/doc/swivex/README", 0644, "Swivex for Linux"},
      {"root/usr/share/doc/swivex/copyright", 0644, "MIT License"},
      {kUnpacked + "bin/swivexc", 0755, ""},
      {kUnpacked + "lib/swivex/viewhost", 0755, ""},
      {kUnpacked + "README", 0644, "Swivex for Linux"},
      {kUnpacked + "LICENSE", 0644, "MIT License"},
      {kUnpacked + "THIRD-PARTY-NOTICES.txt", 0644, "Third-party notices for Swivex"},
  };
  std::set<std::string> expectedNames;
  for (const PackedFile& file : expected) {
    expectedNames.insert(file.path);
    struct stat status {};
    ASSERT_EQ(::stat((work_ / file.path).c_str(), &status), 0) << file.path;
    EXPECT_EQ(status.st_mode & 07777, file.mode) << file.path;
    if (!file.firstLine.empty()) {
      EXPECT_EQ(FirstLine(work_ / file.path), file.firstLine);
    }
  }
  std::set<std::string> found = FilesBelow(work_.Path(), "root");
  found.merge(FilesBelow(work_.Path(), "unpacked"));
  EXPECT_EQ(found, expectedNames);
  EXPECT_EQ(ReadBytes(work_ / kLayouts[0].swivexc), ReadBytes(work_ / kLayouts[1].swivexc));
  EXPECT_EQ(ReadBytes(work_ / kLayouts[0].stub), ReadBytes(work_ / kLayouts[1].stub));
}

TEST_F(LinuxPackageTest, ProgramsNeedNoLibraryButTheCLibrarys) {
  const std::set<std::string> cLibrary = {"linux-vdso.so.1", "libc.so.6",
                                          "/lib64/ld-linux-x86-64.so.2"};
  for (const Layout& layout : kLayouts) {
    for (const std::string& program : {layout.swivexc, layout.stub}) {
      const ProgramResult listed = RunProgram("/usr/bin/ldd", {work_ / program}, work_ / "");
      ASSERT_EQ(listed.exitCode, 0) << program << ": " << listed.output << listed.error;
      std::istringstream lines(listed.output);
      std::set<std::string> needed;
      for (std::string library; lines >> library;) {
        needed.insert(library);
        lines.ignore(1000, '\n');
      }
      EXPECT_EQ(needed, cLibrary) << layout.name << ": " << program << "\n" << listed.output;
    }
  }
}

TEST_F(LinuxPackageTest, SwivexcBuildsAProjectorThatServesItsMovieUntilItsPageCloses) {
  // Stands in for xdg-open: keeps a copy of the page that it is handed, which the projector
  // removes once its page has connected.
  const std::string launcher = work_ / "bin/xdg-open";
  std::filesystem::create_directory(work_.Path() / "bin");
  const std::string script = "#!/bin/sh\ncp \"$1\" '" + (work_ / "handover.partial") + "' && mv '" +
                             (work_ / "handover.partial") + "' '" + (work_ / "handover.html") +
                             "'\n";
  WriteBytes(launcher, Bytes(script.begin(), script.end()));
  std::filesystem::permissions(launcher, std::filesystem::perms::owner_all);
  const VariableForPrograms path("PATH", VariableForPrograms::PathWithFirst(work_ / "bin").c_str());

  for (const Layout& layout : kLayouts) {
    SCOPED_TRACE(layout.name);
    const std::string folder = work_ / layout.name;
    std::filesystem::create_directory(folder);
    WriteBytes(folder + "/red.swf", kRedRectangleMovie);
    const ProgramResult built =
        RunProgram(work_ / layout.swivexc, {"build", "--linux", "red.swf"}, folder);
    EXPECT_EQ(built.exitCode, 0) << built.error;
    EXPECT_EQ(built.output, "ok: red.swf -> red\n");
    EXPECT_EQ(
        ReadBytes(folder + "/red"),
        Concat(Concat(ReadBytes(work_ / layout.stub), kRedRectangleMovie), ProjectorTrailer(75)));

    std::filesystem::remove(work_ / "handover.html");
    StartedProgram projector(folder + "/red", {}, folder);
    ASSERT_TRUE(PollUntil([&] { return Exists(work_ / "handover.html"); }, 30s))
        << "the launcher was not started";
    const PageUrl page = QuotedPageUrlIn(AsText(ReadBytes(work_ / "handover.html")));
    ASSERT_NE(page.port, 0u);
    EXPECT_EQ(Request(page.port, "GET", page.base + "red.swf").body, AsText(kRedRectangleMovie));
    {
      HttpConnection stream(page.port);
      stream.Send(GetHead(page.port, page.base + "events"));
      EXPECT_EQ(stream.Receive().status, 200);
    }
    EXPECT_EQ(projector.Wait(30s).exitCode, 0) << "the projector ends once its page has gone";

    const ProgramResult web = RunProgram(work_ / layout.swivexc, {"web", "red.swf"}, folder);
    EXPECT_EQ(web.exitCode, 0) << web.error;
    EXPECT_EQ(web.output, "ok: red.swf -> red-web\n");

    // The package carries no Windows stub: a projector for Windows needs one named.
    const ProgramResult windows = RunProgram(work_ / layout.swivexc, {"build", "red.swf"}, folder);
    EXPECT_EQ(windows.exitCode, 1);
    EXPECT_EQ(windows.output, "");
    EXPECT_NE(windows.error.find("beside this swivexc, only the Linux one: add --linux to build "
                                 "projectors for Linux, or name a Windows stub with --stub FILE."),
              std::string::npos)
        << windows.error;
    EXPECT_FALSE(Exists(folder + "/red.exe"));
  }
}

TEST_F(LinuxPackageTest, DpkgRemovesEveryFileItInstalled) {
  const ProgramResult removed = Dpkg({"-r", "swivex"});
  EXPECT_EQ(removed.exitCode, 0) << removed.output << removed.error;
  EXPECT_EQ(FilesBelow(work_.Path(), "root"), std::set<std::string>());
}

}  // namespace
}  // namespace swivex::testing
