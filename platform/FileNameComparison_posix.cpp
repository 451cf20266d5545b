#include "platform/FileNameComparison.h"

namespace swivex {

bool SameFileName(std::string_view a, std::string_view b) { return a == b; }

}  // namespace swivex
