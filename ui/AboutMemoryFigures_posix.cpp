#include "ui/AboutMemoryFigures.h"

namespace swivex {

std::string UserThousandsSeparator() { return ","; }

}  // namespace swivex
