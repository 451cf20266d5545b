#include "playback/ServedPath.h"

#include "playback/HttpText.h"

namespace swivex {

namespace {

int HexValue(char digit) {
  if (digit >= '0' && digit <= '9') return digit - '0';
  if (digit >= 'a' && digit <= 'f') return digit - 'a' + 10;
  if (digit >= 'A' && digit <= 'F') return digit - 'A' + 10;
  return -1;
}

bool IsRefusedByte(char byte) {
  const auto value = static_cast<unsigned char>(byte);
  return value < 0x20 || value == 0x7F ||
         std::string_view("\\:<>\"|?*").find(byte) != std::string_view::npos;
}

// Windows opens these names as devices in every folder, whatever extension follows them. The
// superscript digits are Windows-1252's and UTF-8's spellings of ¹, ² and ³.
bool IsDeviceName(std::string_view stem) {
  while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
  for (std::string_view device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$", "CLOCK$"})
    if (EqualsIgnoringCase(stem, device)) return true;
  if (stem.size() < 4) return false;
  const std::string_view port = stem.substr(0, 3);
  if (!EqualsIgnoringCase(port, "COM") && !EqualsIgnoringCase(port, "LPT")) return false;
  const std::string_view number = stem.substr(3);
  if (number.size() == 1 && ((number[0] >= '0' && number[0] <= '9') || number[0] == '\xB9' ||
                             number[0] == '\xB2' || number[0] == '\xB3'))
    return true;
  return number == "\xC2\xB9" || number == "\xC2\xB2" || number == "\xC2\xB3";
}

// A name that begins with "." is hidden: a user's ".ssh" or a project's ".git" lies beside many
// a projector without being meant for any page. That also refuses "." and "..".
bool IsServableName(std::string_view name) {
  if (name.empty() || name.front() == '.') return false;
  if (name.back() == '.' || name.back() == ' ') return false;
  return !IsDeviceName(name.substr(0, name.find('.')));
}

}  // namespace

bool ServedPath::Decode(std::string_view encoded) {
  length_ = 0;
  for (std::size_t index = 0; index < encoded.size(); ++index) {
    char byte = encoded[index];
    if (byte == '%') {
      if (encoded.size() - index < 3) return false;
      const int high = HexValue(encoded[index + 1]);
      const int low = HexValue(encoded[index + 2]);
      if (high < 0 || low < 0) return false;
      byte = static_cast<char>(high * 16 + low);
      index += 2;
    }
    if (length_ == kMostServedPath) return false;
    bytes_[length_++] = byte;
  }
  bytes_[length_] = '\0';
  return true;
}

bool IsServablePath(std::string_view path) {
  for (char byte : path)
    if (IsRefusedByte(byte)) return false;
  while (true) {
    const std::size_t slash = path.find('/');
    if (!IsServableName(path.substr(0, slash))) return false;
    if (slash == std::string_view::npos) return true;
    path.remove_prefix(slash + 1);
  }
}

}  // namespace swivex
