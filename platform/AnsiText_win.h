#pragma once

#include <string>

namespace swivex {

// Text between the ANSI code page, which the program speaks, and UTF-16, for the system calls
// whose ANSI forms cut a path off at MAX_PATH bytes.
std::wstring WideFromAnsi(const std::string& text);
std::string AnsiFromWide(const wchar_t* text);
// UTF-16 as UTF-8, for text that leaves the program in UTF-8 whatever its code page.
std::string Utf8FromWide(const std::wstring& text);

}  // namespace swivex
