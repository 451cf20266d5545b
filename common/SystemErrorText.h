#pragma once

#include <string>

#include "platform/Platform.h"

namespace swivex {

// The system's message for an error number, without the trailing blanks, control characters
// and periods that would clash with the sentence it is put into.
std::string SystemErrorText(ErrorCode error, Platform& platform);

// Trims every trailing byte from 0x00 to 0x20 and every trailing ".", in any mix.
std::string TrimSystemMessage(std::string message);

}  // namespace swivex
