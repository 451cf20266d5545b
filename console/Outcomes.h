#pragma once

#include <string>

#include "platform/Console.h"

namespace swivex::console {

// The line a command prints for each file, and whether any failed: "ok: FILE -> TARGET",
// "skipped: FILE (REASON)", "failed: FILE: ERROR", all on standard output in the order of the
// work, so that a log of a batch reads as one list.
class Outcomes {
 public:
  explicit Outcomes(Console& console) : console_(console) {}

  void Ok(const std::string& file, const std::string& target);
  void Skipped(const std::string& file, const std::string& reason);
  void Failed(const std::string& file, const std::string& error);
  // A failure that the command words itself, such as a JSON object.
  void FailedAs(const std::string& line);
  // Any other line of the command's output.
  void Print(const std::string& line);

  bool AnyFailed() const { return anyFailed_; }

 private:
  Console& console_;
  bool anyFailed_ = false;
};

}  // namespace swivex::console
