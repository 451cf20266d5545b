#include "screensaver-module/SaverArguments.h"

#include <charconv>
#include <initializer_list>
#include <utility>

namespace swivex::glowdrift {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The text after a switch letter with its separator removed: "/p 12", "/p:12" and "/p12" all
// leave "12".
std::string_view ValueAfterSwitch(std::string_view rest) {
  if (!rest.empty() && rest.front() == ':') rest.remove_prefix(1);
  return Trim(rest);
}

bool ParseWindowNumber(std::string_view digits, std::uintptr_t& window) {
  if (digits.empty()) return false;
  for (char c : digits)
    if (c < '0' || c > '9') return false;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), window);
  return error == std::errc() && end == digits.data() + digits.size();
}

SaverArguments Invalid(std::string problem) { return {SaverMode::Invalid, 0, std::move(problem)}; }

// Joins texts by appending; "literal" + std::string trips GCC 12's -Wrestrict at -O2.
std::string Join(std::initializer_list<std::string_view> parts) {
  std::string joined;
  for (std::string_view part : parts) joined.append(part);
  return joined;
}

std::string Quoted(std::string_view text) { return Join({"\"", text, "\""}); }

}  // namespace

SaverArguments ParseSaverArguments(std::string_view commandTail) {
  const std::string_view text = Trim(commandTail);
  if (text.empty()) return {SaverMode::Configure, 0, {}};
  if (text.size() < 2 || (text[0] != '/' && text[0] != '-'))
    return Invalid(Join({"Unknown argument ", Quoted(text), "."}));

  const std::string_view value = ValueAfterSwitch(text.substr(2));
  std::uintptr_t window = 0;
  switch (Lower(text[1])) {
    case 's':
      if (!value.empty())
        return Invalid(Join({"The switch /s takes no value, not ", Quoted(value), "."}));
      return {SaverMode::Show, 0, {}};
    case 'p':
      if (!ParseWindowNumber(value, window))
        return Invalid(Join({"The switch /p needs the decimal number of the preview window, not ",
                             Quoted(value), "."}));
      return {SaverMode::Preview, window, {}};
    case 'c':
      if (value.empty()) return {SaverMode::Configure, 0, {}};
      if (!ParseWindowNumber(value, window))
        return Invalid(
            Join({"The switch /c takes the decimal number of a window, not ", Quoted(value), "."}));
      return {SaverMode::Configure, window, {}};
    default:
      return Invalid(Join({"Unknown argument ", Quoted(text), "."}));
  }
}

}  // namespace swivex::glowdrift
