#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/PathSyntax.h"

namespace swivex::console {

// A JSON string literal: quotes, backslashes and control characters escaped, other bytes as
// they are. Text in a double-byte ANSI code page, which becomes UTF-8 only once the whole line
// is written, keeps the trail bytes of its characters even where they equal "\\".
std::string JsonString(std::string_view text, LeadByteTest isLeadByte = nullptr);

// A number in the shortest decimal form that gives it back exactly: 550, 27.5, 0.00390625.
// Frame sizes (twentieths) and rates (256ths) need no more than 12 significant digits.
std::string JsonNumber(double value);

// One JSON object on one line, with the members in the order they are added.
class JsonObject {
 public:
  // `value` is JSON text already: a JsonString, a number, true, false or null.
  void Add(std::string_view name, std::string value);
  std::string Text() const;

 private:
  std::vector<std::pair<std::string, std::string>> members_;
};

}  // namespace swivex::console
