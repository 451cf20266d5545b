// projector_bench build PROGRAM_FOLDER MOVIE TARGET
// projector_bench extract BUNDLE TARGET
// projector_bench cancel PROGRAM_FOLDER MOVIE TARGET
// Runs one conversion, as the program does, with the player stub taken from PROGRAM_FOLDER.
// bench/run-projector-bench.sh times it against cat copying the same bytes. "cancel" builds a
// projector on the program's worker thread, cancels it a quarter of the way and prints how long
// the cancel took, against the time that one piece of the copy took before it.
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <utility>

#include "common/Exceptions.h"
#include "platform/SystemFiles.h"
#include "projector/Conversions.h"
#include "projector/FileStream.h"
#include "ui/ConversionJob.h"

namespace {

// The system's files, with the program folder moved to where the benchmark keeps its stub.
class BenchFiles : public swivex::SystemFiles {
 public:
  explicit BenchFiles(std::string programFolder) : programFolder_(std::move(programFolder)) {}
  swivex::PathResult ModuleFileName() override {
    return {programFolder_ + Syntax().separator + "Swivex.exe", 0};
  }

 private:
  std::string programFolder_;
};

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration duration) {
  return std::chrono::duration<double, std::milli>(duration).count();
}

int MeasureCancel(BenchFiles& files, const std::string& movie, const std::string& target) {
  const Clock::time_point start = Clock::now();
  swivex::ConversionJob job(
      [&](swivex::ConversionProgress& progress) {
        return swivex::BuildProjector(movie, target, files, &progress);
      },
      [] {});
  while (!job.Ended() && job.Share().Percent() < 25) std::this_thread::yield();
  const swivex::ConversionShare share = job.Share();
  const Clock::time_point cancelled = Clock::now();
  job.Cancel();
  while (!job.Ended()) std::this_thread::yield();
  const double cancelMs = Milliseconds(Clock::now() - cancelled);
  if (job.Outcome().ending != swivex::ConversionOutcome::Ending::Cancelled) {
    std::fprintf(stderr, "the conversion was not cancelled\n");
    return 1;
  }
  const double pieces = static_cast<double>(share.done) / swivex::FileStream::kCopyBufferSize;
  const double pieceMs = Milliseconds(cancelled - start) / (pieces > 0 ? pieces : 1);
  std::printf("cancel %.2f ms after %d%%, one piece %.3f ms, ratio %.1f\n", cancelMs,
              share.Percent(), pieceMs, cancelMs / pieceMs);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  try {
    std::string result;
    if (command == "build" && argc == 5) {
      BenchFiles files(argv[2]);
      result = swivex::BuildProjector(argv[3], argv[4], files);
    } else if (command == "cancel" && argc == 5) {
      BenchFiles files(argv[2]);
      return MeasureCancel(files, argv[3], argv[4]);
    } else if (command == "extract" && argc == 4) {
      swivex::SystemFiles files;
      result = swivex::ExtractMovie(argv[2], argv[3], files);
    } else {
      std::fprintf(stderr,
                   "usage: projector_bench build PROGRAM_FOLDER MOVIE TARGET\n"
                   "       projector_bench extract BUNDLE TARGET\n"
                   "       projector_bench cancel PROGRAM_FOLDER MOVIE TARGET\n");
      return 2;
    }
    std::printf("%s\n", result.c_str());
    return result == swivex::kConvertedMessage ? 0 : 1;
  } catch (const swivex::Exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
}
