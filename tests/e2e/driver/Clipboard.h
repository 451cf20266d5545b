#pragma once

#include <optional>
#include <string>

namespace swivex::e2e {

// The clipboard's plain text (CF_TEXT), or nothing if it holds none or cannot be opened.
std::optional<std::string> ClipboardText();
// The clipboard's CF_UNICODETEXT, as the program put it there or the system made it.
std::optional<std::wstring> ClipboardWideText();
// Leaves the clipboard empty, so that a later text is known to be new.
void EmptyTheClipboard();

}  // namespace swivex::e2e
