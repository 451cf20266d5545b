#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

#include "common/Exceptions.h"
#include "projector/ConversionProgress.h"
#include "tests/support/PollUntil.h"
#include "ui/ConversionJob.h"

namespace swivex::testing {
namespace {

constexpr std::chrono::seconds kPatience{10};

// Writes nothing until it is cancelled, as a conversion held up by a slow disk.
std::string WaitForCancel(ConversionProgress& progress) {
  while (!progress.CancelRequested()) std::this_thread::yield();
  throw EConversionCancelled();
}

TEST(ConversionJob, NotifiesEachWholePercentAndTheEnd) {
  std::atomic<int> notified = 0;
  ConversionJob job(
      [](ConversionProgress& progress) {
        for (std::uint64_t done : {0, 1, 2, 3, 100, 199, 200}) progress.Advance(done, 200);
        return std::string("File has been converted successfully!");
      },
      [&] { ++notified; });
  // 0, 1, 50, 99 and 100 percent, then the end.
  ASSERT_TRUE(PollUntil([&] { return notified == 6; }, kPatience)) << notified;
  ASSERT_TRUE(job.Ended());
  EXPECT_EQ(job.Outcome().ending, ConversionOutcome::Ending::Converted);
  EXPECT_EQ(job.Outcome().message, "File has been converted successfully!");
  EXPECT_EQ(job.Share().done, 200u);
  EXPECT_EQ(job.Share().total, 200u);
  EXPECT_EQ(job.Share().Percent(), 100);
}

TEST(ConversionJob, CarriesAFailureOrACancelBackToItsStarter) {
  ConversionJob failing(
      [](ConversionProgress&) -> std::string { throw EReadError("Stream read error"); }, [] {});
  ConversionJob cancelled(WaitForCancel, [] {});
  cancelled.Cancel();
  ASSERT_TRUE(PollUntil([&] { return failing.Ended() && cancelled.Ended(); }, kPatience));

  EXPECT_EQ(failing.Outcome().ending, ConversionOutcome::Ending::Failed);
  EXPECT_THROW(std::rethrow_exception(failing.Outcome().error), EReadError);
  EXPECT_EQ(cancelled.Outcome().ending, ConversionOutcome::Ending::Cancelled);
}

TEST(ConversionJob, GoingAwayCancelsTheWorkAndWaitsForIt) {
  std::atomic<bool> returned = false;
  auto job = std::make_unique<ConversionJob>(
      [&](ConversionProgress& progress) -> std::string {
        try {
          return WaitForCancel(progress);
        } catch (...) {
          returned = true;
          throw;
        }
      },
      [] {});
  job.reset();
  EXPECT_TRUE(returned);
}

TEST(ConversionShare, IsAWholePercentRoundedDown) {
  EXPECT_EQ((ConversionShare{0, 0}.Percent()), 0);
  EXPECT_EQ((ConversionShare{199, 200}.Percent()), 99);
  EXPECT_EQ((ConversionShare{4'294'967'295 + 70'000ull, 4'294'967'295 + 70'008ull}.Percent()), 99);
  EXPECT_EQ((ConversionShare{200, 200}.Percent()), 100);
}

}  // namespace
}  // namespace swivex::testing
