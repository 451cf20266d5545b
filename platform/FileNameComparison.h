#pragma once

#include <string_view>

namespace swivex {

// True if two full paths name the same file as the system compares names.
using SameNameTest = bool (*)(std::string_view a, std::string_view b);

// The system's test: on Windows without regard to letter case, in any script, as its file
// systems compare names; elsewhere byte for byte.
bool SameFileName(std::string_view a, std::string_view b);

}  // namespace swivex
