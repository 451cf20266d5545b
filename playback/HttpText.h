#pragma once

#include <cstddef>
#include <string_view>

#include "winsupport/AsciiCase.h"

namespace swivex {

// The small pieces of HTTP's grammar that the server reads: tokens, optional white space,
// comma-separated lists and weights. Header names and codings compare without regard to case.

// A non-empty run of token characters: letters, digits and !#$%&'*+-.^_`|~
bool IsHttpToken(std::string_view text);

// `text` without leading and trailing spaces and tabs.
std::string_view TrimHttpSpace(std::string_view text);

// Header names, codings and range units compare without regard to ASCII case.
using win::EqualsIgnoringCase;

// Whether a list item such as "gzip;q=0" or "br; q=0.000" carries a weight of zero.
bool HasZeroWeight(std::string_view item);

// Calls `take` with each item of a comma-separated list, white space included.
template <typename Take>
void ForEachListItem(std::string_view list, Take take) {
  while (!list.empty()) {
    const std::size_t comma = list.find(',');
    take(list.substr(0, comma));
    if (comma == std::string_view::npos) break;
    list.remove_prefix(comma + 1);
  }
}

}  // namespace swivex
