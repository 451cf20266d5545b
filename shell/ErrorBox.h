#pragma once

namespace swivex {

class Exception;

// Shows an error report in the system's message box, owned by the main window: the message
// with a closing period where it lacks one, ApplicationTitle as caption, a stop icon and OK.
void ShowErrorBox(const Exception& error);

}  // namespace swivex
