#include "playback/ByteRange.h"

#include <optional>

#include "playback/HttpText.h"

namespace swivex {

namespace {

// A decimal number of at most 18 digits (below 10^18, so no overflow).
std::optional<std::uint64_t> ParseDecimal(std::string_view digits) {
  if (digits.empty() || digits.size() > 18) return std::nullopt;
  std::uint64_t value = 0;
  for (char digit : digits) {
    if (digit < '0' || digit > '9') return std::nullopt;
    value = value * 10 + static_cast<std::uint64_t>(digit - '0');
  }
  return value;
}

}  // namespace

RangeAnswer ParseByteRange(std::string_view header, std::uint64_t size, ByteSpan& span) {
  constexpr std::string_view kUnit = "bytes=";
  header = TrimHttpSpace(header);
  if (header.size() < kUnit.size() || !EqualsIgnoringCase(header.substr(0, kUnit.size()), kUnit))
    return RangeAnswer::Whole;
  const std::string_view bounds = TrimHttpSpace(header.substr(kUnit.size()));
  const std::size_t dash = bounds.find('-');
  if (dash == std::string_view::npos || bounds.find(',') != std::string_view::npos)
    return RangeAnswer::Whole;
  const std::string_view from = bounds.substr(0, dash);
  const std::string_view to = bounds.substr(dash + 1);

  if (from.empty()) {  // the last bytes: "-500"
    const std::optional<std::uint64_t> count = ParseDecimal(to);
    if (!count) return RangeAnswer::Whole;
    if (*count == 0 || size == 0) return RangeAnswer::Unsatisfiable;
    span = {*count >= size ? 0 : size - *count, size - 1};
    return RangeAnswer::Part;
  }
  const std::optional<std::uint64_t> first = ParseDecimal(from);
  const std::optional<std::uint64_t> last =
      to.empty() ? std::optional<std::uint64_t>(UINT64_MAX) : ParseDecimal(to);
  if (!first || !last || *last < *first) return RangeAnswer::Whole;
  if (*first >= size) return RangeAnswer::Unsatisfiable;
  span = {*first, *last >= size ? size - 1 : *last};
  return RangeAnswer::Part;
}

}  // namespace swivex
