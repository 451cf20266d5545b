#include <windows.h>

#include <string>

#include "platform/AnsiText_win.h"
#include "platform/FileNameComparison.h"

namespace swivex {

// File systems compare names by their UTF-16 units, upper-cased one by one with the system's
// table, which is what an ordinal comparison that ignores case does.
bool SameFileName(std::string_view a, std::string_view b) {
  const std::wstring wideA = WideFromAnsi(std::string(a));
  const std::wstring wideB = WideFromAnsi(std::string(b));
  return ::CompareStringOrdinal(wideA.data(), static_cast<int>(wideA.size()), wideB.data(),
                                static_cast<int>(wideB.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace swivex
