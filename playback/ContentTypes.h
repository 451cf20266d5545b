#pragma once

#include <string_view>

namespace swivex {

inline constexpr char kSwfContentType[] = "application/x-shockwave-flash";

// The content type of a file that a movie loads from its folder, by the extension of its name:
// movies, XML and text, pictures, sounds and video. Everything else is
// "application/octet-stream", which the page's browser never runs.
const char* ContentTypeOf(std::string_view name);

}  // namespace swivex
