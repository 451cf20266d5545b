#include "winsupport/DigitGrouping.h"

namespace swivex::win {

std::string GroupDigits(std::uint64_t number, std::string_view separator) {
  const std::string digits = std::to_string(number);
  std::string grouped;
  for (std::size_t at = 0; at < digits.size(); ++at) {
    if (at > 0 && (digits.size() - at) % 3 == 0) grouped += separator;
    grouped += digits[at];
  }
  return grouped;
}

}  // namespace swivex::win
