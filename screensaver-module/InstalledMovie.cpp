#include "screensaver-module/InstalledMovie.h"

#include <windows.h>

#include "screensaver-module/MovieCaption.h"

namespace swivex::glowdrift {

std::string InstalledMoviePath() {
  char folder[MAX_PATH] = {};
  const UINT length = ::GetSystemDirectoryA(folder, sizeof folder);
  if (length == 0 || length >= sizeof folder) return {};
  std::string path(folder, length);
  if (path.back() != '\\') path += '\\';
  return path + kInstalledMovieName;
}

std::optional<std::uint64_t> InstalledMovieSize() {
  const std::string path = InstalledMoviePath();
  WIN32_FILE_ATTRIBUTE_DATA attributes{};
  if (path.empty() || !::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &attributes))
    return std::nullopt;
  if (attributes.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return std::nullopt;
  return (static_cast<std::uint64_t>(attributes.nFileSizeHigh) << 32) | attributes.nFileSizeLow;
}

}  // namespace swivex::glowdrift
