#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/PathSyntax.h"

namespace swivex {

// File names are 8-bit text in the ANSI code page. Every search below skips the trail byte of a
// double-byte character, so a trail byte that equals "\" or "." is not taken for one.

// Index of the last byte of `path` that is one of `delimiters`, or npos.
std::size_t LastDelimiter(std::string_view path, std::string_view delimiters,
                          LeadByteTest isLeadByte);

// Everything up to and including the last directory separator or ":"; empty if there is none.
std::string FolderPart(std::string_view path, const PathSyntax& syntax);

// Replaces the extension of the last path component with `extension` (".exe"), or appends it
// when that component has no ".": "a.b" -> "a.exe", "name." -> "name.exe", ".hidden" -> ".exe".
std::string ReplaceExtension(std::string_view path, std::string_view extension,
                             const PathSyntax& syntax);

}  // namespace swivex
