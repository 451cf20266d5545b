#include "playback/TextTemplate.h"

namespace swivex {

namespace {

constexpr std::string_view kOpen = "{{";
constexpr std::string_view kClose = "}}";

const TemplateValue* ValueNamed(std::string_view name, std::span<const TemplateValue> values) {
  for (const TemplateValue& value : values)
    if (value.name == name) return &value;
  return nullptr;
}

}  // namespace

void AppendAsItIs(std::string_view value, TextBuffer& out) { out.Append(value); }

bool FillTemplate(std::string_view text, std::span<const TemplateValue> values, TextBuffer& out) {
  while (true) {
    const std::size_t open = text.find(kOpen);
    out.Append(text.substr(0, open));
    if (open == std::string_view::npos) return out.Fits();
    text.remove_prefix(open + kOpen.size());
    const std::size_t close = text.find(kClose);
    if (close == std::string_view::npos) return false;
    const TemplateValue* value = ValueNamed(text.substr(0, close), values);
    if (value == nullptr) return false;
    value->append(value->value, out);
    text.remove_prefix(close + kClose.size());
  }
}

}  // namespace swivex
