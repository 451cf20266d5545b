#pragma once

#include <string>

namespace swivex::testing {

// `text` with the letters A to Z in lower case and every other byte as it was: enough for file,
// class and DLL names, whose case Windows ignores.
inline std::string AsciiLower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

}  // namespace swivex::testing
