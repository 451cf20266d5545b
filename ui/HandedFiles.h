#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/PathSyntax.h"

namespace swivex {

// The files that a Swivex started with files hands to the Swivex already running, as the data of
// a WM_COPYDATA message tagged kHandedFilesTag: full paths in the ANSI code page, each ended by a
// NUL, one after the other. The receiver takes them as names of files to convert, nothing more.
inline constexpr std::uintptr_t kHandedFilesTag = 0x53574631;  // "SWF1"
inline constexpr std::size_t kMaxHandedFiles = 1024;
// A path of MAX_PATH UTF-16 units takes up to three bytes a unit in the UTF-8 code page; one of
// them is its NUL.
inline constexpr std::size_t kMaxHandedNameBytes = 3 * 260 - 1;

// The messages that hand the files over, kMaxHandedFiles names at the most in each.
std::vector<std::string> PackHandedFiles(const std::vector<std::string>& files);

// The names that a message holds, or none if it is not such a list: no names, a name without its
// NUL, an empty name, more than kMaxHandedFiles names, a name longer than kMaxHandedNameBytes, a
// control character, or a name that is not a full path ("C:\..." or "\\server\share...").
std::optional<std::vector<std::string>> UnpackHandedFiles(std::string_view data,
                                                          const PathSyntax& syntax);

}  // namespace swivex
