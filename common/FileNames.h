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

// The bytes that end a folder's or a drive's part of a path: the separator, and ":" where it
// ends a drive's name.
std::string FolderDelimiters(const PathSyntax& syntax);

// Everything up to and including the last folder delimiter; empty if there is none.
std::string FolderPart(std::string_view path, const PathSyntax& syntax);

// Replaces the extension of the last path component with `extension` (".exe"), or appends it
// when that component has no ".": "a.b" -> "a.exe", "name." -> "name.exe", ".hidden" -> ".exe".
std::string ReplaceExtension(std::string_view path, std::string_view extension,
                             const PathSyntax& syntax);

}  // namespace swivex
