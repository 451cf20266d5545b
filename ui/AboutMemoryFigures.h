#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace swivex {

// The About box's total physical memory: `bytes` / 1024 rounded to a whole number (an exact
// half away from zero), its digits grouped by threes with `thousandsSeparator`, followed by
// " KB": 1536 bytes give "2 KB", 16 GiB "16,777,216 KB". Less than half a kilobyte gives
// "0 KB": the "#,###" pattern would leave the number out and show " KB", which reads as a fault.
std::string FormatKilobytes(std::uint64_t bytes, std::string_view thousandsSeparator);

// The About box's memory load: the percentage, a blank and a percent sign ("%d %%").
std::string FormatMemoryLoad(std::uint32_t percent);

// The user's thousands separator: the locale's on Windows (GetLocaleInfoA, LOCALE_STHOUSAND),
// "," elsewhere.
std::string UserThousandsSeparator();

}  // namespace swivex
