#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "player-stub/server/TextTemplate.h"

namespace swivex::testing {
namespace {

void AppendBracketed(std::string_view value, TextBuffer& out) {
  out.Append('[').Append(value).Append(']');
}

struct FillCase {
  const char* text;
  std::size_t room;
  std::optional<std::string> filled;  // nothing: the template is refused
};

TEST(TextTemplate, FillsEveryPlaceWithItsValueOnceInOnePass) {
  const TemplateValue values[] = {{"name", "Tom", AppendBracketed},
                                  {"loop", "{{name}}", AppendAsItIs}};
  const FillCase cases[] = {
      {"no places { } }}", 100, "no places { } }}"},
      {"{{name}}", 100, "[Tom]"},
      {"<{{name}}|{{name}}>", 100, "<[Tom]|[Tom]>"},
      {"a{{loop}}b", 100, "a{{name}}b"},
      {"{{name}}{{loop}}", 100, "[Tom]{{name}}"},
      {"{{other}}", 100, std::nullopt},
      {"{{}}", 100, std::nullopt},
      {"{{name", 100, std::nullopt},
      {"ab{{name}}", 7, "ab[Tom]"},
      {"ab{{name}}", 6, std::nullopt},
  };
  for (const FillCase& tried : cases) {
    std::vector<char> storage(tried.room);
    TextBuffer out(storage.data(), storage.size());
    const bool filled = FillTemplate(tried.text, values, out);
    EXPECT_EQ(filled, tried.filled.has_value()) << tried.text << " in " << tried.room;
    if (filled && tried.filled) {
      EXPECT_EQ(out.View(), *tried.filled) << tried.text;
    }
  }
}

}  // namespace
}  // namespace swivex::testing
