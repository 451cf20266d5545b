#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace swivex::swf {

// Inflates a whole zlib stream that must hold exactly `expected` bytes (a picture's pixels or
// alpha plane). The output grows only as bytes arrive, to twice what arrived at most, so a
// lying `expected` costs nothing.
// Raises ESwfError at `offset`, naming `what`, for damaged data and for a stream that holds
// fewer or more bytes than expected; one that stops after all of them without its checksum is
// taken as it is.
std::vector<std::uint8_t> InflateExactly(std::span<const std::uint8_t> compressed,
                                         std::uint64_t expected, std::uint64_t offset,
                                         const std::string& what);

}  // namespace swivex::swf
