#pragma once

#include <string>
#include <vector>

namespace swivex {

class Files;

// The files named on the program's command line (dropped on its icon, "Open with", a shortcut),
// as the C runtime splits it, each with its full path: a name relative to the working folder
// shows in the window as the file it is.
std::vector<std::string> CommandLineFiles(int argc, char** argv, Files& files);

}  // namespace swivex
