#pragma once

#include <cstddef>
#include <string>

namespace swivex::e2e {

// Large enough that its conversion is still running when the test has found its thread.
inline constexpr std::size_t kLargeMovieSize = 256 * 1024 * 1024;

// tmpfs (drive Z: is the Linux root), where the large movie and its projector take no disk, as
// the base of a TempFolder.
inline constexpr char kTmpfs[] = "Z:\\dev\\shm";

// A movie of kLargeMovieSize bytes: the movie signature followed by bytes that count up.
void WriteLargeMovie(const std::string& name);

}  // namespace swivex::e2e
