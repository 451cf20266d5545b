#include "console/ProgressLine.h"

#include <utility>

#include "console/Utf8Output.h"

namespace swivex::console {

ProgressLine::ProgressLine(Console& console, StopRequests& stops, std::string label)
    : console_(console),
      stops_(stops),
      label_(std::move(label)),
      terminal_(console.IsTerminal(ConsoleStream::kError)) {}

ProgressLine::~ProgressLine() {
  if (open_) console_.Write(ConsoleStream::kError, "\n");
}

void ProgressLine::Advance(std::uint64_t done, std::uint64_t total) {
  if (!terminal_ || total < kSmallestShown) return;
  const int percent = static_cast<int>(done >= total ? 100 : done * 100 / total);
  if (percent == shown_) return;
  shown_ = percent;
  std::string line = "\r" + label_ + ": " + std::to_string(percent) + "%";
  open_ = percent != 100;
  if (!open_) line += "\n";
  WriteUtf8(console_, ConsoleStream::kError, line);
}

}  // namespace swivex::console
