#include "ui/AboutMemoryFigures.h"

namespace swivex {

std::string FormatKilobytes(std::uint64_t bytes, std::string_view thousandsSeparator) {
  // Whole numbers: exact for every count, where a double is exact only up to 2^53.
  const std::uint64_t kilobytes = bytes / 1024 + (bytes % 1024 >= 512 ? 1 : 0);
  const std::string digits = std::to_string(kilobytes);
  std::string grouped;
  for (std::size_t at = 0; at < digits.size(); ++at) {
    if (at > 0 && (digits.size() - at) % 3 == 0) {
      grouped += thousandsSeparator;
    }
    grouped += digits[at];
  }
  return grouped + " KB";
}

std::string FormatMemoryLoad(std::uint32_t percent) { return std::to_string(percent) + " %"; }

}  // namespace swivex
