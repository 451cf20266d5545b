#pragma once

#include <cstdint>

namespace swivex::swf {

// The name of a tag type as movie tools print it ("DefineBitsLossless2"), or nullptr for a code
// that no movie version defines.
const char* TagName(std::uint16_t code);

}  // namespace swivex::swf
