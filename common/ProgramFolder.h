#pragma once

#include <string>

namespace swivex {

class Files;

// The folder of the running executable, with its trailing separator; the files that ship beside
// the program are looked up there. Raises Exception when the system cannot name the file.
std::string ProgramFolder(Files& files);

}  // namespace swivex
