// projector_bench build PROGRAM_FOLDER MOVIE TARGET
// projector_bench extract BUNDLE TARGET
// Runs one conversion, as the program does, with the player stub taken from PROGRAM_FOLDER.
// bench/run-projector-bench.sh times it against cat copying the same bytes.
#include <cstdio>
#include <string>
#include <utility>

#include "common/Exceptions.h"
#include "platform/SystemFiles.h"
#include "projector/Conversions.h"

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

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  try {
    std::string result;
    if (command == "build" && argc == 5) {
      BenchFiles files(argv[2]);
      result = swivex::BuildProjector(argv[3], argv[4], files);
    } else if (command == "extract" && argc == 4) {
      swivex::SystemFiles files;
      result = swivex::ExtractMovie(argv[2], argv[3], files);
    } else {
      std::fprintf(stderr,
                   "usage: projector_bench build PROGRAM_FOLDER MOVIE TARGET\n"
                   "       projector_bench extract BUNDLE TARGET\n");
      return 2;
    }
    std::printf("%s\n", result.c_str());
    return result == swivex::kConvertedMessage ? 0 : 1;
  } catch (const swivex::Exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
}
