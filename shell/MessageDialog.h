#pragma once

#include <string>

namespace swivex {

// Shows `text` in the program's modal message dialog and returns when it is closed: the text in
// the system's message font, wrapped at half the screen's width, above one "OK" button that is
// both the default and the cancel button; ApplicationTitle as caption, no icon, centred on the
// screen. Ctrl+C copies the dialog's content to the clipboard.
void ShowMessageDialog(const std::string& text);

}  // namespace swivex
