#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace swivex::win {

// The number's decimal digits grouped by threes from the right with `separator`:
// GroupDigits(1234567, ",") is "1,234,567".
std::string GroupDigits(std::uint64_t number, std::string_view separator);

}  // namespace swivex::win
