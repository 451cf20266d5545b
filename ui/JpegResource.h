#pragma once

#include <cstdint>
#include <vector>

namespace swivex {

// A copy of the bytes of the running program's RCDATA resource number `id` (a JPEG picture).
// Raises an error report if the program holds no such resource.
std::vector<std::uint8_t> JpegResourceBytes(int id);

}  // namespace swivex
