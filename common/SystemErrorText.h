#pragma once

#include <string>

#include "platform/ErrorCode.h"

namespace swivex {

class Files;

// The system's message for an error number, without the trailing blanks, control characters
// and periods that would clash with the sentence it is put into.
std::string SystemErrorText(ErrorCode error, Files& files);

// Trims every trailing byte from 0x00 to 0x20 and every trailing ".", in any mix.
std::string TrimSystemMessage(std::string message);

}  // namespace swivex
