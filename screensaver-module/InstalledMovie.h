#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace swivex::glowdrift {

// The full name of the installed movie: the system folder's Glowdrift.swf.
std::string InstalledMoviePath();

// Its size in bytes, or nothing if no such file is there (a folder of that name counts as none).
std::optional<std::uint64_t> InstalledMovieSize();

}  // namespace swivex::glowdrift
