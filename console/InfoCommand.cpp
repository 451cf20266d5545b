#include "console/Commands.h"
#include "console/MovieInfo.h"
#include "console/ProgressLine.h"

namespace swivex::console {

namespace {

std::string WithoutLastNewline(std::string text) {
  if (!text.empty() && text.back() == '\n') text.pop_back();
  return text;
}

}  // namespace

void RunInfo(const CommandLine& line, ConsoleSystem& system, Outcomes& outcomes) {
  bool first = true;
  for (const std::string& file : line.inputs) {
    // The text reports are blocks of lines with a blank line between two; JSON is a line each.
    if (!first && !line.json) outcomes.Print("");
    first = false;
    try {
      ProgressLine progress(system.console, file);
      const MovieInfo info = ReadMovieInfo(file, system.files, &progress);
      outcomes.Print(WithoutLastNewline(FormatInfo(file, info, line.json)));
    } catch (const Exception& error) {
      outcomes.FailedAs(WithoutLastNewline(FormatInfoFailure(file, error.Message(), line.json)));
    }
  }
}

}  // namespace swivex::console
