#pragma once

#include <string>

#include "platform/Console.h"
#include "platform/PathSyntax.h"

namespace swivex::console {

// The line a command prints for each file, and whether any failed: "ok: FILE -> TARGET",
// "skipped: FILE (REASON)", "failed: FILE: ERROR", "cancelled: FILE", all on standard output in
// the order of the work, so that a log of a batch reads as one list. In JSON a failure is
// {"file": FILE, "error": ERROR}, and a cancel one whose error is "cancelled"; `isLeadByte`
// tells the double-byte characters of names and messages, if any.
class Outcomes {
 public:
  Outcomes(Console& console, bool json, LeadByteTest isLeadByte)
      : console_(console), json_(json), isLeadByte_(isLeadByte) {}

  void Ok(const std::string& file, const std::string& target);
  void Skipped(const std::string& file, const std::string& reason);
  void Failed(const std::string& file, const std::string& error);
  void Cancelled(const std::string& file);
  // Any other line of the command's output.
  void Print(const std::string& line);

  bool AnyFailed() const { return anyFailed_; }

 private:
  std::string ErrorObject(const std::string& file, const std::string& error) const;

  Console& console_;
  bool json_;
  LeadByteTest isLeadByte_;
  bool anyFailed_ = false;
};

}  // namespace swivex::console
