#include "console/Utf8Output.h"

namespace swivex::console {

namespace {

constexpr char kReplacementCharacter[] = "\xEF\xBF\xBD";

struct Scanned {
  std::size_t length;  // of the character, or of the maximal subpart that is no character
  bool wellFormed;
};

// The character at the start of `text`, by the table of well-formed byte sequences: the second
// byte's range depends on the first, which keeps out overlong forms, surrogates and code
// points past U+10FFFF.
Scanned ScanCharacter(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text.front());
  if (lead < 0x80) return {1, true};
  std::size_t needed = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    needed = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    needed = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    needed = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return {1, false};
  }
  for (std::size_t at = 1; at < needed; ++at) {
    if (at == text.size()) return {at, false};
    const auto byte = static_cast<unsigned char>(text[at]);
    if (byte < low || byte > high) return {at, false};
    low = 0x80;
    high = 0xBF;
  }
  return {needed, true};
}

}  // namespace

std::string ValidUtf8(std::string_view text) {
  std::string valid;
  valid.reserve(text.size());
  while (!text.empty()) {
    const Scanned character = ScanCharacter(text);
    if (character.wellFormed) {
      valid.append(text.substr(0, character.length));
    } else {
      valid.append(kReplacementCharacter);
    }
    text.remove_prefix(character.length);
  }
  return valid;
}

void WriteUtf8(Console& console, ConsoleStream stream, std::string_view text) {
  console.Write(stream, ValidUtf8(console.Utf8FromSystem(text)));
}

}  // namespace swivex::console
