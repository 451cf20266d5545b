#include <windows.h>

#include "ui/AboutMemoryFigures.h"

namespace swivex {

std::string UserThousandsSeparator() {
  char separator[4] = {};  // the locale allows at most three characters
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, sizeof separator) == 0) {
    return ",";
  }
  return separator;
}

}  // namespace swivex
