#include "shell/ErrorBoxText.h"

namespace swivex {

namespace {

// The index of the first byte of the text's last character, found by walking the text from the
// start so that a trail byte is never taken for a character of its own.
std::size_t LastCharacterStart(const std::string& text, LeadByteTest isLeadByte) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size();) {
    start = i;
    const bool doubleByte = isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size();
    i += doubleByte ? 2 : 1;
  }
  return start;
}

}  // namespace

std::string ErrorBoxText(std::string message, LeadByteTest isLeadByte) {
  if (message.empty()) return message;
  const auto last = static_cast<unsigned char>(message[LastCharacterStart(message, isLeadByte)]);
  if (last > static_cast<unsigned char>('.')) message += '.';
  return message;
}

}  // namespace swivex
