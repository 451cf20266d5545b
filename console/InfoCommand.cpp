#include "console/Commands.h"
#include "console/FileTurn.h"
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
    const bool goOn = TakeTurn(file, outcomes, system.stops, [&] {
      ProgressLine progress(system.console, system.stops, file);
      const MovieInfo info = ReadMovieInfo(file, system.files, &progress);
      outcomes.Print(
          WithoutLastNewline(FormatInfo(file, info, line.json, system.files.Syntax().isLeadByte)));
    });
    if (!goOn) return;
  }
}

}  // namespace swivex::console
