#pragma once

#include <cstdint>
#include <string>

#include "platform/Console.h"
#include "platform/StopRequests.h"
#include "projector/ConversionProgress.h"

namespace swivex::console {

// Shows how far the work on one large file has come, as a percentage that rewrites itself on
// one line of standard error. Files up to kSmallestShown bytes finish before anyone would look,
// and a log or a pipe wants no progress at all: both show nothing. The work stops once the
// program is asked to stop.
class ProgressLine final : public ConversionProgress {
 public:
  static constexpr std::uint64_t kSmallestShown = (64ull << 20) + 1;

  ProgressLine(Console& console, StopRequests& stops, std::string label);
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;
  // Ends a line left open by a failure.
  ~ProgressLine() override;

  void Advance(std::uint64_t done, std::uint64_t total) override;
  bool CancelRequested() override { return stops_.Requested() != StopRequest::kNone; }

 private:
  Console& console_;
  StopRequests& stops_;
  std::string label_;
  bool terminal_;
  int shown_ = -1;  // the percentage on the line; -1 before the first
  bool open_ = false;
};

}  // namespace swivex::console
