#pragma once

#include <cstdint>
#include <string>

namespace swivex::glowdrift::testing {

// The system folder's Glowdrift.scr and Glowdrift.swf, as the installer leaves them. The tests
// run in a Wine prefix of their own, so they may put files into its system folder.
std::string InstalledSaverPath();
std::string InstalledMoviePath();

// The module as built for the program folder (GLOWDRIFT_MODULE, a Linux path), as Windows
// names it.
std::string ShippedModulePath();

// Copies the built module (GLOWDRIFT_MODULE, a Linux path) to the system folder as Glowdrift.scr.
void InstallModule();

// Puts a movie of the given size in place of the installed one, or removes it.
void PlantMovie(std::uint64_t size);
void RemoveMovie();

// Where a picture for people to look at is kept: SWIVEX_ARTIFACTS_DIR (a Linux path) + name.
std::string ArtifactPath(const std::string& name);

}  // namespace swivex::glowdrift::testing
