// Makes each system call of the stub's extraction fail in turn, in memory and (on Windows) on
// real files through the Win32 calls, and checks that every failure is reported and harms
// nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>

#include "tests/player-stub/ExtractionFaultSweep.h"
#include "tests/player-stub/MemoryFileSystem.h"

#ifdef _WIN32
#include "playback/WindowsFileSystem.h"
#include "tests/support/TempFolder.h"
#endif

namespace swivex::testing {
namespace {

class MemoryWorld final : public ExtractionWorld {
 public:
  void Prepare(const Bytes& projector, const std::optional<Bytes>& copyBefore) override {
    system_.emplace();
    system_->files[system_->ownPath] = projector;
    if (!copyBefore) return;
    system_->folders.insert(kFolder);
    system_->files[kFolder + "\\intro.swf"] = *copyBefore;
  }
  FileSystem& System() override { return *system_; }
  Bytes Projector() override { return system_->files[system_->ownPath]; }
  std::map<std::string, Bytes> CopyFolder() override { return system_->FilesIn(kFolder); }

 private:
  const std::string kFolder = "C:\\Temp\\Swivex";
  std::optional<MemoryFileSystem> system_;
};

#ifdef _WIN32
// The Win32 calls, with the running program moved to a projector in a test folder, and the
// temporary folder beside it.
class MovedStubSystem final : public WindowsFileSystem {
 public:
  MovedStubSystem(std::string own, std::string temp)
      : own_(std::move(own)), temp_(std::move(temp)) {}
  FileError OwnPath(BoundedText& path) override {
    path.Append(own_.c_str());
    return file_errors::kNone;
  }
  FileError TempFolder(BoundedText& folder) override {
    folder.Append(temp_.c_str());
    return file_errors::kNone;
  }

 private:
  std::string own_;
  std::string temp_;
};

class WindowsWorld final : public ExtractionWorld {
 public:
  void Prepare(const Bytes& projector, const std::optional<Bytes>& copyBefore) override {
    std::filesystem::remove_all(temp_);
    std::filesystem::create_directory(temp_);
    WriteBytes(projector_, projector);
    if (!copyBefore) return;
    std::filesystem::create_directory(folder_);
    WriteBytes((folder_ / "intro.swf").string(), *copyBefore);
  }
  FileSystem& System() override { return system_; }
  Bytes Projector() override { return ReadBytes(projector_); }
  std::map<std::string, Bytes> CopyFolder() override {
    std::map<std::string, Bytes> found;
    if (!std::filesystem::exists(folder_)) return found;
    for (const auto& entry : std::filesystem::directory_iterator(folder_))
      found[entry.path().filename().string()] = ReadBytes(entry.path().string());
    return found;
  }

 private:
  swivex::testing::TempFolder work_;
  std::string projector_ = work_ / "intro.exe";
  std::filesystem::path temp_ = work_.Path() / "temp";
  std::filesystem::path folder_ = temp_ / "Swivex";
  MovedStubSystem system_{projector_, temp_.string() + "\\"};
};
#endif

// Two full chunks of the copy and a part of one.
const Bytes kMovie = RandomBytes(2 * 65536 + 3, 11);

Bytes WithLastByteChanged(Bytes bytes) {
  bytes.back() ^= 0x01;
  return bytes;
}

void SweepEveryScenario(ExtractionWorld& world, const char* worldName) {
  const SweepScenario scenarios[] = {
      {"no copy yet", std::nullopt, "intro.swf"},
      {"an identical copy", kMovie, "intro.swf"},
      {"another movie of that name, differing in its last byte", WithLastByteChanged(kMovie),
       "intro (2).swf"},
  };
  for (const SweepScenario& scenario : scenarios) {
    const SweepCounts counts = SweepFaults(world, kMovie, scenario);
    std::cout << "[fault sweep] " << worldName << ", " << scenario.name << ": " << counts.calls
              << " failure points, " << counts.runs
              << " runs with a fault\n  calls: " << counts.callNames << "\n";
    ::testing::Test::RecordProperty(std::string(worldName) + ", " + scenario.name,
                                    std::to_string(counts.calls) + " calls");
  }
}

TEST(ExtractionFaults, EveryCallThatFailsInMemoryIsReportedAndHarmsNothing) {
  MemoryWorld world;
  SweepEveryScenario(world, "in memory");
}

#ifdef _WIN32
TEST(ExtractionFaults, EveryWin32CallThatFailsIsReportedAndHarmsNothing) {
  WindowsWorld world;
  SweepEveryScenario(world, "Win32");
}
#endif

}  // namespace
}  // namespace swivex::testing
