#pragma once

#include <string>

namespace swivex {

class Files;
class Desktop;

// The folders that the screen saver is installed into, each with its trailing separator.

// The system folder, where Windows looks for screen savers. Raises Exception with the system's
// reason when the system cannot name it.
std::string SystemFolder(Files& files, Desktop& desktop);

// The current user's own folder for Swivex, %LOCALAPPDATA%\Swivex\, created if it is missing:
// the screen saver goes there when the user may not write into the system folder. Raises
// Exception when the system cannot name the user's data folder and EFCreateError when the
// folder cannot be created.
std::string PerUserFolder(Files& files, Desktop& desktop);

}  // namespace swivex
