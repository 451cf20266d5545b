#include "ui/AboutMemoryFigures.h"

#include "winsupport/DigitGrouping.h"

namespace swivex {

std::string FormatKilobytes(std::uint64_t bytes, std::string_view thousandsSeparator) {
  // Whole numbers: exact for every count, where a double is exact only up to 2^53.
  const std::uint64_t kilobytes = bytes / 1024 + (bytes % 1024 >= 512 ? 1 : 0);
  return win::GroupDigits(kilobytes, thousandsSeparator) + " KB";
}

std::string FormatMemoryLoad(std::uint32_t percent) { return std::to_string(percent) + " %"; }

}  // namespace swivex
