#pragma once

#include <string>
#include <string_view>

#include "platform/Console.h"

namespace swivex::console {

// `text` with every sequence that is not well-formed UTF-8 replaced by U+FFFD, one for each
// maximal subpart of a character (as Unicode recommends): names natively are bytes, and what a
// script reads from the program must still be UTF-8.
std::string ValidUtf8(std::string_view text);

// Writes text made of the program's own words and of names and messages from the system: the
// system's encoding becomes UTF-8 (Console::Utf8FromSystem), then valid UTF-8. A closed or
// full stream loses the text, not the work: the write's failure is not the program's.
void WriteUtf8(Console& console, ConsoleStream stream, std::string_view text);

}  // namespace swivex::console
