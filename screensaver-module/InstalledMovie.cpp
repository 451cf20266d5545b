#include "screensaver-module/InstalledMovie.h"

#include <windows.h>

#include "screensaver-module/MovieCaption.h"
#include "winsupport/AnsiPathCapacity.h"

namespace swivex::glowdrift {

namespace {

// Glowdrift.swf beside the running module's own file: a user without administrator rights has
// both installed into a folder of the user's own. Empty when the module's name is too long.
std::string MovieBesideModule() {
  char module[win::kAnsiPathCapacity] = {};
  const DWORD length = ::GetModuleFileNameA(nullptr, module, sizeof module);
  if (length == 0 || length >= sizeof module) return {};
  // GetFullPathNameA finds where the file's name starts, minding double-byte characters whose
  // second byte equals "\".
  char path[win::kAnsiPathCapacity] = {};
  char* name = nullptr;
  const DWORD pathLength = ::GetFullPathNameA(module, sizeof path, path, &name);
  if (pathLength == 0 || pathLength >= sizeof path || name == nullptr) return {};
  return std::string(path, name) + kInstalledMovieName;
}

std::string MovieInSystemFolder() {
  char folder[win::kAnsiPathCapacity] = {};
  const UINT length = ::GetSystemDirectoryA(folder, sizeof folder);
  if (length == 0 || length >= sizeof folder) return {};
  std::string path(folder, length);
  if (path.back() != '\\') path += '\\';
  return path + kInstalledMovieName;
}

// Nothing if no such file is there; a folder of that name counts as none.
std::optional<std::uint64_t> SizeOfFile(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA attributes{};
  if (path.empty() || !::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &attributes))
    return std::nullopt;
  if (attributes.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return std::nullopt;
  return (static_cast<std::uint64_t>(attributes.nFileSizeHigh) << 32) | attributes.nFileSizeLow;
}

}  // namespace

std::string InstalledMoviePath() {
  for (const std::string& path : {MovieBesideModule(), MovieInSystemFolder()})
    if (SizeOfFile(path)) return path;
  return {};
}

std::optional<std::uint64_t> InstalledMovieSize() {
  for (const std::string& path : {MovieBesideModule(), MovieInSystemFolder()})
    if (const auto size = SizeOfFile(path)) return size;
  return std::nullopt;
}

}  // namespace swivex::glowdrift
