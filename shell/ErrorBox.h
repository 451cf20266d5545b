#pragma once

#include "platform/PathSyntax.h"

namespace swivex {

class Exception;

// Shows an error report in the system's message box, owned by the main window: the message
// with a closing period where it lacks one, ApplicationTitle as caption, a stop icon and OK.
void ShowErrorBox(const Exception& error);

// Which bytes of a message start a double-byte character, in the code page the box shows it
// in; the program sets its system's once at start-up. Until then no byte does.
void SetErrorBoxLeadByteTest(LeadByteTest isLeadByte);

}  // namespace swivex
