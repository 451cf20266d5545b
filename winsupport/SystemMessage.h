#pragma once

#include <windows.h>

#include <string>

namespace swivex::win {

// The system's message for an error code as FormatMessageA gives it; empty text if it has none.
std::string SystemMessage(DWORD error);

}  // namespace swivex::win
