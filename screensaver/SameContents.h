#pragma once

#include <string>

namespace swivex {

class Files;

// True if both files can be read and hold the same bytes. Compares the sizes, then the contents
// piece by piece, in memory of a fixed size whatever the files' size. A file that cannot be
// opened or read counts as different, so the caller goes on as if nothing were known.
bool HoldSameBytes(const std::string& first, const std::string& second, Files& files);

}  // namespace swivex
