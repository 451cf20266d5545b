#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace swivex::swf {

// JPEG data as movies store it, made into one well-formed JPEG file: the SOI and EOI markers
// in front of the scan are dropped (the erroneous FF D9 FF D8 that many movie writers put
// first, the end of separately stored tables) and one SOI leads. The segments up to the first
// scan must lie inside the data; the scan and what follows are kept as they are.
// `tables` (a DefineBits picture's JPEGTables) go in front of `image`; either may be empty.
// Raises ESwfError at `offset` naming `what` for data that is not JPEG or ends inside a segment.
std::vector<std::uint8_t> CleanJpeg(std::span<const std::uint8_t> tables,
                                    std::span<const std::uint8_t> image, std::uint64_t offset,
                                    const std::string& what);

}  // namespace swivex::swf
