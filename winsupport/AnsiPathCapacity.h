#pragma once

#include <windows.h>

namespace swivex::win {

// The bytes that a path of up to MAX_PATH UTF-16 units, its NUL included, can take in the ANSI
// code page. Under the UTF-8 code page a unit takes up to three bytes (a character outside the
// Basic Multilingual Plane is two units and four bytes), so buffers that the system fills with
// ANSI paths hold three times MAX_PATH: MAX_PATH bytes would cut a Japanese path off after 86
// characters.
inline constexpr DWORD kAnsiPathCapacity = 3 * MAX_PATH;

}  // namespace swivex::win
