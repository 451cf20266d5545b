#include <windows.h>

#include "ui/AboutMemoryFigures.h"

namespace swivex {

std::string UserThousandsSeparator() {
  // The locale allows at most three characters, each up to three bytes under UTF-8 (a French
  // separator is U+202F).
  char separator[3 * 3 + 1] = {};
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, sizeof separator) == 0) {
    return ",";
  }
  return separator;
}

}  // namespace swivex
