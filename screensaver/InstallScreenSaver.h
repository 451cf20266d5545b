#pragma once

#include <string>

namespace swivex {

class Files;
class Registry;
class Desktop;

// Installs the movie as the user's screen saver: copies it and the screen-saver module that
// ships beside the program into the system directory, makes the module the current screen saver
// and opens the Display control panel on its Screen Saver page. An empty path (the user
// cancelled the file dialog) installs and registers the module and keeps the movie installed
// before. A copy that fails raises EFCreateError and a registry value that cannot be read or
// written raises ERegistryException; either way the control panel stays closed.
void InstallScreenSaver(const std::string& moviePath, Files& files, Registry& registry,
                        Desktop& desktop);

}  // namespace swivex
