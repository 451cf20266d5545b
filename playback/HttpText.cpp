#include "playback/HttpText.h"

namespace swivex {

namespace {

bool IsTokenChar(char byte) {
  if ((byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || (byte >= '0' && byte <= '9'))
    return true;
  return std::string_view("!#$%&'*+-.^_`|~").find(byte) != std::string_view::npos;
}

bool IsHttpSpace(char byte) { return byte == ' ' || byte == '\t'; }

}  // namespace

bool IsHttpToken(std::string_view text) {
  if (text.empty()) return false;
  for (char byte : text)
    if (!IsTokenChar(byte)) return false;
  return true;
}

std::string_view TrimHttpSpace(std::string_view text) {
  while (!text.empty() && IsHttpSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsHttpSpace(text.back())) text.remove_suffix(1);
  return text;
}

bool HasZeroWeight(std::string_view item) {
  std::size_t semicolon = item.find(';');
  while (semicolon != std::string_view::npos) {
    item.remove_prefix(semicolon + 1);
    semicolon = item.find(';');
    const std::string_view parameter = TrimHttpSpace(item.substr(0, semicolon));
    if (parameter.size() < 2 || win::LowerAscii(parameter[0]) != 'q' || parameter[1] != '=')
      continue;
    // A weight is "0", "0.", or "0." with up to three digits, all of them zero, or else
    // greater than zero.
    const std::string_view weight = parameter.substr(2);
    if (weight.empty() || weight[0] != '0') return false;
    return weight.find_first_not_of("0.", 1) == std::string_view::npos;
  }
  return false;
}

}  // namespace swivex
