#pragma once

#include <windows.h>

#include <string>

namespace swivex {

// Replaces the clipboard's content with `text` as CF_TEXT, and as CF_UNICODETEXT converted from
// the ANSI code page. Raises Exception "Cannot open
// clipboard" when another program holds the clipboard.
void PutTextOnClipboard(HWND owner, const std::string& text);

}  // namespace swivex
