// Where a conversion's bytes may go, and come from: only into a file and out of one, through a
// scratch file of its own that nothing left behind can keep it from making.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <map>
#include <string>
#include <utility>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>
#endif

#include "common/Exceptions.h"
#include "common/SystemErrorText.h"
#include "projector/Conversions.h"
#include "tests/projector/ProjectorFixture.h"

namespace swivex::testing {
namespace {

namespace fs = std::filesystem;

using TargetFileTest = ProjectorTest;

// Each name in a folder with what it is, a file's size and where a link leads: a target that is
// refused leaves all of it as it was.
std::map<std::string, std::string> Contents(const fs::path& folder) {
  std::map<std::string, std::string> contents;
  for (const auto& entry : fs::directory_iterator(folder)) {
    std::string what = std::to_string(static_cast<int>(entry.symlink_status().type()));
    if (entry.is_symlink()) {
      what += " -> " + fs::read_symlink(entry.path()).string();
    } else if (entry.is_regular_file()) {
      what += ", " + std::to_string(entry.file_size()) + " bytes";
    }
    contents[entry.path().filename().string()] = what;
  }
  return contents;
}

std::vector<std::string> ScratchFilesIn(const std::string& folder) {
  std::vector<std::string> scratch;
  for (const std::string& name : NamesIn(folder))
    if (name.rfind("~swivex-", 0) == 0) scratch.push_back(name);
  return scratch;
}

#ifndef _WIN32
void MakeSocket(const std::string& name) {
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(fd, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  ASSERT_LT(name.size(), sizeof address.sun_path);
  std::memcpy(address.sun_path, name.c_str(), name.size() + 1);
  EXPECT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0) << name;
  ::close(fd);
}

// A device node beside the other targets where the test may make one (as root), else the system's
// own /dev/null, which nobody else may replace.
std::string MakeDevice(const std::string& name) {
  if (::mknod(name.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) return name;
  return "/dev/null";
}
#endif

#ifdef _WIN32
// A symbolic link, where the system lets the test make one (developer mode on Windows; Wine 8
// reports success and makes nothing).
bool MakeSymbolicLink(const std::string& name, const std::string& target) {
  const DWORD kAllowUnprivilegedCreate = 0x2;
  if (!::CreateSymbolicLinkA(name.c_str(), target.c_str(), kAllowUnprivilegedCreate)) return false;
  const DWORD attributes = ::GetFileAttributesA(name.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}
#endif

// Whatever is not a file keeps its name: the conversion refuses it and says what it is, whether
// or not it may replace an existing target, and writes nothing anywhere.
TEST_F(TargetFileTest, TargetThatIsNoFileIsRefusedAndLeftAsItWas) {
  struct Case {
    const char* kind;  // as the message words it
    std::string target;
    std::string shown;  // the target's name in the message
  };
  PlantStub(100);
  WriteBytes(Work("intro.swf"), RandomBytes(300, 2));
  WriteBytes(Work("linked.bin"), {4, 5, 6});
  fs::create_directory(Work("inner"));
  std::vector<Case> cases = {{"a folder", Work("folder.exe"), Work("folder.exe")}};
  fs::create_directory(Work("folder.exe"));
#ifdef _WIN32
  // Device names mean the device in every folder, and on some versions of Windows (and under
  // Wine) so does "NUL.exe".
  for (const char* device : {"NUL", "CON", "COM1"})
    cases.push_back({"a device", Work(device), std::string("\\\\.\\") + device});
  cases.push_back({"a device", Work("NUL.exe"), "\\\\.\\NUL"});
  if (MakeSymbolicLink(Work("link.exe"), Work("linked.bin"))) {
    cases.push_back({"a link", Work("link.exe"), Work("link.exe")});
  } else {
    std::cout << "[   NOTE   ] the system makes no symbolic link here: that kind is not tried\n";
  }
#else
  ASSERT_EQ(::mkfifo(Work("pipe.exe").c_str(), 0666), 0);
  MakeSocket(Work("socket.exe"));
  const std::string device = MakeDevice(Work("device.exe"));
  fs::create_symlink("linked.bin", Work("file-link.exe"));
  fs::create_directory_symlink("inner", Work("folder-link.exe"));
  fs::create_symlink("nowhere", Work("dangling-link.exe"));
  cases.insert(cases.end(), {{"a named pipe", Work("pipe.exe"), Work("pipe.exe")},
                             {"a socket", Work("socket.exe"), Work("socket.exe")},
                             {"a device", device, device},
                             {"a link", Work("file-link.exe"), Work("file-link.exe")},
                             {"a link", Work("folder-link.exe"), Work("folder-link.exe")},
                             {"a link", Work("dangling-link.exe"), Work("dangling-link.exe")}});
#endif
  const auto before = Contents(work.Path());
  for (const Case& c : cases) {
    for (const ExistingTarget existing : {ExistingTarget::kReplace, ExistingTarget::kRefuse}) {
      SCOPED_TRACE(c.target + (existing == ExistingTarget::kRefuse ? ", refusing" : ""));
      try {
        BuildProjector(StubPath(), Work("intro.swf"), c.target, files, {nullptr, existing});
        ADD_FAILURE() << "written";
      } catch (const ETargetExists& error) {
        ADD_FAILURE() << "refused as a file that may be replaced: " << error.Message();
      } catch (const EFCreateError& error) {
        EXPECT_EQ(error.Message(),
                  "Cannot create file \"" + c.shown + "\". It is " + c.kind + ", not a file");
      }
      EXPECT_EQ(Contents(work.Path()), before);
    }
  }
}

// Nor is anything but a file ever read: a movie's name that leads elsewhere, through links too,
// is refused with what it is before anything is written.
TEST_F(TargetFileTest, SourceThatIsNoFileIsRefusedBeforeAnythingIsWritten) {
  PlantStub(100);
  fs::create_directory(Work("folder.swf"));
  std::vector<std::pair<std::string, const char*>> movies = {{Work("folder.swf"), "a folder"}};
#ifdef _WIN32
  for (const char* device : {"\\\\.\\NUL", "\\\\.\\CON", "\\\\.\\COM1"})
    movies.push_back({device, "a device"});
#else
  MakeSocket(Work("socket.swf"));
  fs::create_directory_symlink("folder.swf", Work("folder-link.swf"));
  movies.insert(movies.end(), {{Work("socket.swf"), "a socket"},
                               {MakeDevice(Work("device.swf")), "a device"},
                               {Work("folder-link.swf"), "a folder"}});
#endif
  const auto before = Contents(work.Path());
  for (const auto& [movie, kind] : movies) {
    SCOPED_TRACE(movie);
    try {
      BuildProjector(StubPath(), movie, Work("intro.exe"), files, {});
      ADD_FAILURE() << "built";
    } catch (const EFOpenError& error) {
      EXPECT_EQ(error.Message(),
                "Cannot open file \"" + movie + "\". It is " + kind + ", not a file");
    }
    EXPECT_EQ(Contents(work.Path()), before);
  }
}

// Runs that crashed leave their scratch files behind, named as their version named them: a
// thousand of them, ten times the names that version tried before giving up, keep no later
// conversion from making one of its own, and none of them is touched.
TEST_F(TargetFileTest, LeftOverScratchFilesNeverUseUpTheNames) {
  const Bytes stub = PlantStub(100);
  const Bytes movie = RandomBytes(300, 2);
  WriteBytes(Work("intro.swf"), movie);
  fs::create_directory(Work("crashed"));
  for (unsigned number = 0; number < 1000; ++number) {
    char name[32];
    std::snprintf(name, sizeof name, "~swivex-%04X.tmp", number);
    WriteBytes((work.Path() / "crashed" / name).string(), {});
  }
  std::vector<std::string> expected = NamesIn(Work("crashed"));
  expected.push_back("intro.exe");
  std::sort(expected.begin(), expected.end());

  const std::string target = (work.Path() / "crashed" / "intro.exe").string();
  EXPECT_EQ(BuildProjector(StubPath(), Work("intro.swf"), target, files, {}), kConvertedMessage);

  EXPECT_EQ(ReadBytes(target), Concat(Concat(stub, movie), ProjectorTrailer(300)));
  EXPECT_EQ(NamesIn(Work("crashed")), expected);
}

// ReplaceFileA may remove the old target and then fail to give the new file the target's name:
// the move is finished where it can be, and else the complete new file stays where it is and
// the message says where.
TEST_F(TargetFileTest, ReplaceThatCannotMoveTheNewFileNeverLosesIt) {
  const Bytes stub = PlantStub(100);
  const Bytes movie = RandomBytes(500, 3);
  WriteBytes(Work("m.swf"), movie);
  const Bytes projector = Concat(Concat(stub, movie), ProjectorTrailer(500));
  files.replaceCannotMove = true;
  for (const ErrorCode renameError : {ErrorCode{0}, errors::kAccessDenied}) {
    SCOPED_TRACE(renameError);
    WriteBytes(Work("m.exe"), {1, 2, 3});
    files.renameError = renameError;
    if (renameError == 0) {
      EXPECT_EQ(BuildProjector(Work("m.swf"), Work("m.exe"), files), kConvertedMessage);
      EXPECT_EQ(ReadBytes(Work("m.exe")), projector);
      continue;
    }
    try {
      BuildProjector(Work("m.swf"), Work("m.exe"), files);
      ADD_FAILURE() << "no error raised";
    } catch (const EFCreateError& error) {
      const std::vector<std::string> kept = ScratchFilesIn(work.Path().string());
      ASSERT_EQ(kept.size(), 1u);
      EXPECT_EQ(error.Message(), "Cannot create file \"" + Work("m.exe") + "\". " +
                                     SystemErrorText(errors::kAccessDenied, files) +
                                     ". The new file was kept as \"" + Work(kept[0]) + "\"");
      EXPECT_EQ(ReadBytes(Work(kept[0])), projector);
      fs::remove(Work(kept[0]));
    }
    EXPECT_FALSE(Exists(Work("m.exe")));
  }
}

}  // namespace
}  // namespace swivex::testing
