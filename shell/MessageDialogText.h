#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace swivex {

// What Ctrl+C puts on the clipboard for a message dialog: its caption, its text (unchanged)
// and its button captions (each without "&" and followed by three blanks), set off by lines of
// 27 hyphens, every line ended by CR LF.
std::string MessageDialogClipboardText(std::string_view caption, std::string_view text,
                                       const std::vector<std::string>& buttonCaptions);

}  // namespace swivex
