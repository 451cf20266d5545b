#include <limits>
#include <vector>

#include "projector/ConversionProgress.h"
#include "projector/Conversions.h"
#include "tests/projector/ProjectorFixture.h"

namespace swivex::testing {
namespace {

// Writes down every report and asks to stop once `stopAfter` bytes are written.
class RecordingProgress : public ConversionProgress {
 public:
  explicit RecordingProgress(std::uint64_t stopAfter = ~std::uint64_t{0}) : stopAfter_(stopAfter) {}

  void Advance(std::uint64_t done, std::uint64_t total) override {
    reports.push_back(done);
    totals.push_back(total);
  }
  bool CancelRequested() override { return !reports.empty() && reports.back() >= stopAfter_; }

  std::vector<std::uint64_t> reports;
  std::vector<std::uint64_t> totals;

 private:
  std::uint64_t stopAfter_;
};

using ProgressTest = ProjectorTest;

TEST_F(ProgressTest, ReportsEveryPieceWrittenUpToTheTargetsSize) {
  PlantStub(1100000);
  WriteBytes(Work("m.swf"), RandomBytes(1200000, 3));
  RecordingProgress building;
  EXPECT_EQ(BuildProjector(Work("m.swf"), Work("m.exe"), files, &building), kConvertedMessage);
  // The stub in two pieces of at most 1 MiB, the movie in two, then the two trailer fields.
  EXPECT_EQ(building.reports,
            (std::vector<std::uint64_t>{0, 1048576, 1100000, 2148576, 2300000, 2300004, 2300008}));
  EXPECT_EQ(building.totals, std::vector<std::uint64_t>(7, 2300008));

  // The system's own copy may stop part-way (Windows has none at all): the buffer goes on from
  // where it stopped, and so do the reports.
  struct Extraction {
    std::uint64_t systemCopyBudget;
    std::vector<std::uint64_t> reports;
  };
  const std::vector<Extraction> extractions = {
      {std::numeric_limits<std::uint64_t>::max(), {0, 1048576, 1200000}},
      {0, {0, 1048576, 1200000}},
#ifndef _WIN32
      {300001, {0, 300001, 1200000}},
#endif
  };
  for (const Extraction& extraction : extractions) {
    SCOPED_TRACE(extraction.systemCopyBudget);
    files.systemCopyBudget = extraction.systemCopyBudget;
    RecordingProgress extracting;
    EXPECT_EQ(ExtractMovie(Work("m.exe"), Work("back.swf"), files, &extracting), kConvertedMessage);
    EXPECT_EQ(extracting.reports, extraction.reports);
    EXPECT_EQ(extracting.totals, std::vector<std::uint64_t>(extraction.reports.size(), 1200000));
    EXPECT_EQ(ReadBytes(Work("back.swf")), ReadBytes(Work("m.swf")));
  }
}

// A cancel is the user's choice, not an error, but it leaves the files as a failure does: the
// old target as it was, nothing beside it.
TEST_F(ProgressTest, CancelStopsBeforeTheNextPieceAndLeavesTheOldTarget) {
  PlantStub(1100000);
  WriteBytes(Work("m.swf"), RandomBytes(1200000, 3));
  const Bytes old = RandomBytes(500, 9);
  for (std::uint64_t stopAfter : {0u, 1048576u, 2300004u}) {
    WriteBytes(Work("m.exe"), old);
    RecordingProgress progress(stopAfter);
    try {
      BuildProjector(Work("m.swf"), Work("m.exe"), files, &progress);
      ADD_FAILURE() << "not cancelled after " << stopAfter;
    } catch (const EConversionCancelled& cancelled) {
      EXPECT_EQ(cancelled.Message(), "The conversion was cancelled.");
    }
    EXPECT_EQ(progress.reports.back(), stopAfter) << "nothing is written after the cancel";
    EXPECT_EQ(ReadBytes(Work("m.exe")), old);
  }
}

}  // namespace
}  // namespace swivex::testing
