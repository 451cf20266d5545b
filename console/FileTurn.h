#pragma once

#include <exception>
#include <functional>
#include <string>

#include "console/Outcomes.h"
#include "platform/StopRequests.h"

namespace swivex::console {

// What a file's failure says, whatever was raised: an error report's text (with a hint at
// --force when the target exists), "Not enough memory", or any other exception's own text.
std::string FailureText(const std::exception_ptr& error);

// Runs `work`, the part of a command that deals with `file`, which reports its own success.
// Anything it raises fails that file alone, in the words of FailureText. A cancel, or a request
// to stop that came before the turn, reports the file as cancelled. True while the command is
// to go on with its next file.
bool TakeTurn(const std::string& file, Outcomes& outcomes, StopRequests& stops,
              const std::function<void()>& work);

}  // namespace swivex::console
