#pragma once

#include <string>

namespace swivex {

// The FileVersion text of the US English, Windows-1252 string table (040904E4) of the version
// block of the executable at `path`; empty text if it has no version block or no such table.
// Raises win::SystemLibraryError if the system's version library cannot be used.
std::string GetFileVersionText(const std::string& path);

}  // namespace swivex
