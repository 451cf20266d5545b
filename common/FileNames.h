#pragma once

#include <string>
#include <string_view>

namespace swivex {

class Platform;

// File names are 8-bit text in the ANSI code page. Every search below skips the trail byte of a
// double-byte character, so a trail byte that equals "\" or "." is not taken for one.

// Index of the last byte of `path` that is one of `delimiters`, or npos.
std::size_t LastDelimiter(std::string_view path, std::string_view delimiters, Platform& platform);

// Everything up to and including the last directory separator or ":"; empty if there is none.
std::string FolderPart(std::string_view path, Platform& platform);
std::string FolderPart(std::string_view path);

// Replaces the extension of the last path component with `extension` (".exe"), or appends it
// when that component has no ".": "a.b" -> "a.exe", "name." -> "name.exe", ".hidden" -> ".exe".
std::string ReplaceExtension(std::string_view path, std::string_view extension, Platform& platform);
std::string ReplaceExtension(std::string_view path, std::string_view extension);

}  // namespace swivex
