#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace swivex::glowdrift::testing {

// The system folder's Glowdrift.scr and Glowdrift.swf, as the installer leaves them. The tests
// run in a Wine prefix of their own, so they may put files into its system folder.
std::string InstalledSaverPath();
std::string InstalledMoviePath();

// The module as built for the program folder (GLOWDRIFT_MODULE, a Linux path), as Windows
// names it.
std::string ShippedModulePath();

// The program that stands in for Edge and Chrome (GLOWDRIFT_STAND_IN_PROGRAM, a Linux path).
std::string BrowserStandInPath();

// Copies the built module (GLOWDRIFT_MODULE, a Linux path) to the system folder as Glowdrift.scr.
void InstallModule();

// Puts a movie of the given size (not a movie the reader can read) or of the given bytes in
// place of the installed one, or removes it.
void PlantMovie(std::uint64_t size);
void PlantMovie(const std::vector<std::uint8_t>& bytes);
void RemoveMovie();

// A value of the saver's settings key (HKCU\Software\Swivex\Glowdrift) as the registry holds it.
struct RegistryValue {
  DWORD type = 0;
  std::vector<std::uint8_t> bytes;
  bool operator==(const RegistryValue&) const = default;
};
RegistryValue DwordValue(std::uint32_t number);
// Writes a value of any type and bytes, the way another program or a person might.
void SetSettingsValue(const char* name, const RegistryValue& value);
std::optional<RegistryValue> SettingsValue(const char* name);
// Removes the whole key: no setting has been saved yet.
void RemoveSettings();

// What the script that Wine's browser setting names writes, in GLOWDRIFT_BROWSER_SCRATCH (a
// Linux path) + name.
std::string BrowserScratchPath(const std::string& name);

// Where a picture for people to look at is kept: SWIVEX_ARTIFACTS_DIR (a Linux path) + name.
std::string ArtifactPath(const std::string& name);

}  // namespace swivex::glowdrift::testing
