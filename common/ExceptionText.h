#pragma once

#include <exception>
#include <string>

namespace swivex {

// What an error says, whatever was raised: an error report's or another exception's own text,
// "Not enough memory" for an allocation that failed, "Unknown error" for anything else. The text
// ends as the error ended it: whoever shows it adds what its place asks for.
std::string ExceptionText(const std::exception_ptr& error);

}  // namespace swivex
