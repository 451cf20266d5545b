#pragma once

#include <string>

namespace swivex {

class Files;
class Registry;
class Desktop;

// Installs the movie as the user's screen saver: copies it and the screen-saver module that
// ships beside the program into the system directory, makes the module the current screen saver
// and opens the Display control panel on its Screen Saver page. Where the system directory
// refuses new files (a user without administrator rights), both go into the user's own folder
// %LOCALAPPDATA%\Swivex instead and the setting names the module there. An empty path (the user
// cancelled the file dialog) installs and registers the module and keeps the movie installed
// before in the folder used. Files that already hold the same bytes are not copied again, and a
// setting that already names the module is not written again. A system directory that cannot be
// found raises Exception, a copy that fails raises EFCreateError and a registry value that cannot
// be read or written raises ERegistryException; in every case the control panel stays closed.
void InstallScreenSaver(const std::string& moviePath, Files& files, Registry& registry,
                        Desktop& desktop);

}  // namespace swivex
