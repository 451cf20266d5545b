#pragma once

#include <windows.h>

#include <string>

namespace swivex::e2e {

// The system's message for an error code as this system words it, with the trailing blanks,
// line breaks and periods removed.
std::string TrimmedSystemMessage(DWORD error);

// The error box's text for a source that cannot be opened.
std::string CannotOpenText(const std::string& fullPath, DWORD error);

// What the message dialog puts on the clipboard for `text`.
std::string MessageDialogClipboardText(const std::string& text);

}  // namespace swivex::e2e
