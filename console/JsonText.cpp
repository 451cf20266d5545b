#include "console/JsonText.h"

#include <cstdio>

namespace swivex::console {

std::string JsonString(std::string_view text, LeadByteTest isLeadByte) {
  std::string json = "\"";
  for (std::size_t at = 0; at < text.size(); ++at) {
    const char c = text[at];
    const auto byte = static_cast<unsigned char>(c);
    if (isLeadByte != nullptr && isLeadByte(byte) && at + 1 < text.size()) {
      json += c;
      json += text[++at];
    } else if (c == '"' || c == '\\') {
      json += '\\';
      json += c;
    } else if (byte < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
      json += escaped;
    } else {
      json += c;
    }
  }
  return json + "\"";
}

std::string JsonNumber(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.12g", value);
  return text;
}

void JsonObject::Add(std::string_view name, std::string value) {
  members_.emplace_back(JsonString(name), std::move(value));
}

std::string JsonObject::Text() const {
  std::string text = "{";
  for (const auto& [name, value] : members_) {
    if (text.size() > 1) text += ", ";
    text.append(name).append(": ").append(value);
  }
  return text + "}";
}

}  // namespace swivex::console
