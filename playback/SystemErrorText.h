#pragma once

#include <windows.h>

#include "playback/BoundedText.h"

namespace swivex {

// Appends the system's message for `error`, without the trailing blanks, line breaks and
// periods, so that the caller can end the sentence.
void AppendSystemErrorText(BoundedText& text, DWORD error);

}  // namespace swivex
