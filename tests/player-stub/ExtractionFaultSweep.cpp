#include "tests/player-stub/ExtractionFaultSweep.h"

#include <gtest/gtest.h>

#include "player-stub/MovieExtraction.h"
#include "tests/player-stub/FaultInjectingFileSystem.h"

namespace swivex::testing {

namespace {

struct Outcome {
  Extraction result;
  std::string savedPath;
  std::string failure;
  std::size_t openFiles;
  bool injected;
  std::vector<RecordedCall> calls;
};

Outcome Run(ExtractionWorld& world, std::optional<Fault> fault) {
  FaultInjectingFileSystem system(world.System(), fault);
  BoundedText savedPath;
  BoundedText failure;
  const Extraction result = ExtractOwnMovie(system, savedPath, failure);
  return {
      result,        savedPath.CStr(), failure.CStr(), system.OpenFiles(), system.FaultInjected(),
      system.Calls()};
}

std::string Describe(const std::map<std::string, Bytes>& folder) {
  std::string text;
  for (const auto& [name, bytes] : folder)
    text += name + " (" + std::to_string(bytes.size()) + " bytes) ";
  return text.empty() ? "nothing" : text;
}

// How a failure message ends that reports the error that the fault stands for.
std::string ExpectedErrorText(FileSystem& system, FaultKind kind, const RecordedCall& call) {
  FileError error = FaultInjectingFileSystem::kInjectedError;
  if (kind == FaultKind::NoTransfer)
    error = call.name == "Read" ? file_errors::kHandleEof : file_errors::kDiskFull;
  BoundedText text(" ");
  system.AppendErrorText(text, error);
  return text.Append(".").CStr();
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

Bytes ProjectorOf(const Bytes& movie) {
  return Concat(Concat(RandomBytes(5000, 99), movie),
                ProjectorTrailer(static_cast<std::uint32_t>(movie.size())));
}

SweepCounts SweepFaults(ExtractionWorld& world, const Bytes& movie, const SweepScenario& scenario) {
  SCOPED_TRACE(scenario.name);
  const Bytes projector = ProjectorOf(movie);
  std::map<std::string, Bytes> before;
  if (scenario.copyBefore) before["intro.swf"] = *scenario.copyBefore;
  std::map<std::string, Bytes> saved = before;
  saved[scenario.expectedCopy] = movie;

  world.Prepare(projector, scenario.copyBefore);
  const Outcome clean = Run(world, std::nullopt);
  EXPECT_EQ(clean.result, Extraction::Saved) << clean.failure;
  EXPECT_TRUE(EndsWith(clean.savedPath, std::string("\\Swivex\\") + scenario.expectedCopy))
      << clean.savedPath;
  EXPECT_TRUE(world.CopyFolder() == saved) << Describe(world.CopyFolder());

  SweepCounts counts{clean.calls.size(), 0, CallNames(clean.calls)};
  for (const Fault& fault : EveryFault(clean.calls)) {
    SCOPED_TRACE(Describe(fault, clean.calls));
    const FaultKind kind = fault.kind;
    world.Prepare(projector, scenario.copyBefore);
    const Outcome run = Run(world, fault);
    ++counts.runs;

    EXPECT_TRUE(run.injected) << "the run took another way before the fault";
    EXPECT_EQ(run.openFiles, 0u) << "a file was left open";
    EXPECT_EQ(world.Projector(), projector) << "the projector changed";
    const std::map<std::string, Bytes> after = world.CopyFolder();
    if (kind == FaultKind::ShortTransfer) {
      EXPECT_EQ(run.result, Extraction::Saved) << run.failure;
      EXPECT_EQ(run.savedPath, clean.savedPath);
      EXPECT_TRUE(after == saved) << Describe(after);
      continue;
    }
    EXPECT_EQ(run.result, Extraction::Failed);
    EXPECT_EQ(run.failure.rfind("Cannot ", 0), 0u) << run.failure;
    EXPECT_TRUE(
        EndsWith(run.failure, ExpectedErrorText(world.System(), kind, clean.calls[fault.call])))
        << run.failure;
    // Either nothing changed, or the complete copy took its name before the fault.
    EXPECT_TRUE(after == before || after == saved) << Describe(after);
  }
  return counts;
}

}  // namespace swivex::testing
