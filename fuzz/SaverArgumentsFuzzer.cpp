// Feeds the screen saver's argument parser arbitrary command tails and checks what holds for
// every one: a refusal always says why and names no window, an accepted one says nothing; blanks
// around the tail, the case of the switch letter and "-" for "/" change nothing; and an accepted
// preview or settings window reads back the same from its decimal number.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "screensaver-module/SaverArguments.h"

namespace {

using swivex::glowdrift::ParseSaverArguments;
using swivex::glowdrift::SaverArguments;
using swivex::glowdrift::SaverMode;

void Check(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "broken promise: %s\n", what);
  std::abort();
}

bool Same(const SaverArguments& a, const SaverArguments& b) {
  return a.mode == b.mode && a.window == b.window && a.problem == b.problem;
}

bool StartsWith(const std::string& text, std::string_view start) {
  return text.compare(0, start.size(), start) == 0;
}

// The tail without the blanks around it, as Windows' command lines may carry them.
std::string_view Trimmed(std::string_view text) {
  const std::string_view blanks = " \t\r\n";
  const std::size_t first = text.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

char OtherCase(char c) {
  if (c >= 'a' && c <= 'z') return static_cast<char>(c - 'a' + 'A');
  if (c >= 'A' && c <= 'Z') return static_cast<char>(c - 'A' + 'a');
  return c;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string tail(reinterpret_cast<const char*>(data), size);
  const SaverArguments parsed = ParseSaverArguments(tail);

  if (parsed.mode == SaverMode::Invalid) {
    Check(parsed.window == 0, "a refusal names no window");
    Check(StartsWith(parsed.problem, "Unknown argument \"") ||
              StartsWith(parsed.problem, "The switch /"),
          "a refusal says what was wrong");
    Check(parsed.problem.back() == '.', "a refusal is a sentence");
  } else {
    Check(parsed.problem.empty(), "an accepted tail has no problem");
  }
  if (parsed.mode == SaverMode::Show || parsed.mode == SaverMode::Preview)
    Check(Trimmed(tail).size() >= 2, "a switch has a letter");
  if (parsed.mode == SaverMode::Preview)
    Check(Same(ParseSaverArguments("/p " + std::to_string(parsed.window)), parsed),
          "a preview window reads back from its number");
  if (parsed.mode == SaverMode::Configure && parsed.window != 0)
    Check(Same(ParseSaverArguments("/c:" + std::to_string(parsed.window)), parsed),
          "a settings window reads back from its number");

  Check(Same(ParseSaverArguments(" \t" + tail + "\r\n "), parsed), "blanks around change nothing");
  const std::string_view text = Trimmed(tail);
  if (text.size() >= 2 && (text[0] == '/' || text[0] == '-')) {
    std::string variant(text);
    variant[0] = text[0] == '/' ? '-' : '/';
    variant[1] = OtherCase(text[1]);
    const SaverArguments other = ParseSaverArguments(variant);
    Check(other.mode == parsed.mode && other.window == parsed.window,
          "neither the switch's case nor its sign matters");
  }
  return 0;
}
