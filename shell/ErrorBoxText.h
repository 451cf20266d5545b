#pragma once

#include <string>

#include "platform/PathSyntax.h"

namespace swivex {

// The error box's text for an error's message: a message that does not already end in a
// punctuation mark, a quote, a blank or another byte at or below "." gets a closing period.
// For a double-byte last character its lead byte decides.
std::string ErrorBoxText(std::string message, LeadByteTest isLeadByte);

}  // namespace swivex
