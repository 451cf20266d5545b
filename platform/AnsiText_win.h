#pragma once

#include <string>

namespace swivex {

// Text between the ANSI code page, which the program speaks, and UTF-16, for the system calls
// whose ANSI forms cut a path off at MAX_PATH bytes.
std::wstring WideFromAnsi(const std::string& text);
std::string AnsiFromWide(const wchar_t* text);

}  // namespace swivex
