#pragma once

#include <span>
#include <string_view>

#include "playback/TextBuffer.h"

namespace swivex {

// What fills one named place of a template, and how it is written there: escaped for HTML, for
// a URL, or as it is.
struct TemplateValue {
  std::string_view name;  // "title" fills every "{{title}}"
  std::string_view value;
  void (*append)(std::string_view value, TextBuffer& out);
};

// Writes a value as it is, for one that needs no escaping where it stands.
void AppendAsItIs(std::string_view value, TextBuffer& out);

// Writes `text` into `out` with every place "{{name}}" filled with its value, in one pass: a
// value that holds "{{" is written as it is, never filled again. False when a place is not
// closed or names no value, or when the result does not fit.
bool FillTemplate(std::string_view text, std::span<const TemplateValue> values, TextBuffer& out);

}  // namespace swivex
