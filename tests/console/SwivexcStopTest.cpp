// Stopping the real swivexc as users and systems do, half-way through a conversion of a large
// movie: the older target stays, the scratch file goes, the line says "cancelled", and the exit
// code tells how it was stopped; a second request ends a program that cannot stop cleanly. And
// an output that nobody reads stops nothing.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/console/ProgramRun.h"
#include "tests/console/SwivexcPath.h"
#include "tests/support/PollUntil.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestName.h"

#ifdef _WIN32
#include "tests/console/TestConsole_win.h"
#else
#include <signal.h>
#endif

namespace swivex::testing {
namespace {

// Holes that the conversion copies as zeros: large to copy, cheap to make.
void PutLargeMovie(const std::string& name) {
  WriteBytes(name, {'F', 'W', 'S', 10});
  std::filesystem::resize_file(name, 256u << 20);
}

bool HoldsScratchFile(const TempFolder& folder) {
  for (const std::string& name : NamesIn(folder.Path().string()))
    if (name.starts_with("~swivex-")) return true;
  return false;
}

struct StopCase {
  const char* title;
  int signal;  // natively
  int exitCode;
};

void PrintTo(const StopCase& c, std::ostream* out) { *out << c.title; }

class SwivexcStopTest : public ::testing::TestWithParam<StopCase> {};

TEST_P(SwivexcStopTest, CancelsTheConversionAndKeepsTheOlderTarget) {
  TempFolder folder;
  PutLargeMovie(folder / "big.swf");
  WriteBytes(folder / "stub.bin", Bytes(10, 'S'));
  const Bytes older = {'o', 'l', 'd'};
  WriteBytes(folder / "big.exe", older);
#ifdef _WIN32
  TestConsole console;
#endif
  StartedProgram swivexc(kSwivexc, {"build", "big.swf", "--stub", "stub.bin", "--force"},
                         folder.Path().string());
  ASSERT_TRUE(PollUntil([&] { return HoldsScratchFile(folder); }, std::chrono::seconds(60)))
      << "the conversion did not begin";

#ifdef _WIN32
  console.PressCtrlC();
#else
  swivexc.SendSignal(GetParam().signal);
#endif
  const ProgramResult result = swivexc.Wait();

  EXPECT_EQ(result.exitCode, GetParam().exitCode);
  EXPECT_EQ(result.output, "cancelled: big.swf\n");
  EXPECT_EQ(result.error, "");
  EXPECT_EQ(ReadBytes(folder / "big.exe"), older);
  EXPECT_FALSE(HoldsScratchFile(folder));
}

#ifdef _WIN32
const StopCase kStops[] = {{"Ctrl+C", 0, 130}};
#else
const StopCase kStops[] = {{"SIGINT", SIGINT, 130}, {"SIGTERM", SIGTERM, 143}};
#endif

#ifndef _WIN32
// The first request waits for a write that never ends: only a second one can stop the program,
// and it does at once, with the code of its kind.
TEST_P(SwivexcStopTest, ASecondRequestEndsAProgramThatWaitsToWrite) {
  TempFolder folder;
  WriteBytes(folder / "notes.txt", {'h', 'i'});
  // Far more lines of failure than the pipe holds.
  std::vector<std::string> arguments(1001, "notes.txt");
  arguments.front() = "info";
  StartedProgram swivexc(kSwivexc, arguments, folder.Path().string(), OutputTo::kUnreadPipe);
  const auto waitsToWrite = [&] { return swivexc.SleepsWritingOutput(); };
  ASSERT_TRUE(PollUntil(waitsToWrite, std::chrono::seconds(60))) << "its output never filled up";

  swivexc.SendSignal(GetParam().signal);
  ASSERT_TRUE(PollUntil(waitsToWrite, std::chrono::seconds(60))) << "the first request ended it";
  swivexc.SendSignal(GetParam().signal);
  const ProgramResult result = swivexc.Wait();

  EXPECT_EQ(result.exitCode, GetParam().exitCode);
  EXPECT_EQ(result.error, "");
}
#endif

INSTANTIATE_TEST_SUITE_P(Ways, SwivexcStopTest, ::testing::ValuesIn(kStops), TitleAsName<StopCase>);

TEST(SwivexcOutput, AnOutputThatNobodyReadsStopsNoConversion) {
  TempFolder folder;
  const Bytes movie = {'F', 'W', 'S', 10, 8, 0, 0, 0};
  WriteBytes(folder / "a.swf", movie);
  WriteBytes(folder / "b.swf", movie);
  WriteBytes(folder / "stub.bin", Bytes(10, 'S'));

  StartedProgram swivexc(kSwivexc, {"build", "a.swf", "b.swf", "--stub", "stub.bin"},
                         folder.Path().string(), OutputTo::kClosedPipe);
  const ProgramResult result = swivexc.Wait();

  EXPECT_EQ(result.exitCode, 0);
  for (const char* name : {"a.exe", "b.exe"})
    EXPECT_EQ(ReadBytes(folder / name), Concat(Concat(Bytes(10, 'S'), movie), ProjectorTrailer(8)));
}

}  // namespace
}  // namespace swivex::testing
