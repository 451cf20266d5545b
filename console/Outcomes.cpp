#include "console/Outcomes.h"

namespace swivex::console {

void Outcomes::Ok(const std::string& file, const std::string& target) {
  Print("ok: " + file + " -> " + target);
}

void Outcomes::Skipped(const std::string& file, const std::string& reason) {
  Print("skipped: " + file + " (" + reason + ")");
}

void Outcomes::Failed(const std::string& file, const std::string& error) {
  FailedAs("failed: " + file + ": " + error);
}

void Outcomes::FailedAs(const std::string& line) {
  anyFailed_ = true;
  Print(line);
}

void Outcomes::Print(const std::string& line) {
  // A closed or full standard output loses the report, not the work: the exit code still tells.
  console_.Write(ConsoleStream::kOutput, line + "\n");
}

}  // namespace swivex::console
