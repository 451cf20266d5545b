#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace swivex::glowdrift {

// The full name of the installed movie: Glowdrift.swf beside the running module, where an
// install for a user without administrator rights puts both, else the system folder's. Empty if
// neither is there (a folder of that name counts as none).
std::string InstalledMoviePath();

// Its size in bytes, or nothing if there is none.
std::optional<std::uint64_t> InstalledMovieSize();

}  // namespace swivex::glowdrift
