#include "tests/screensaver-module/TestSystem.h"

#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace swivex::glowdrift::testing {

namespace {

std::string SystemFolder() {
  char folder[MAX_PATH] = {};
  const UINT length = ::GetSystemDirectoryA(folder, sizeof folder);
  if (length == 0 || length >= sizeof folder) throw std::runtime_error("no system folder");
  return std::string(folder, length);
}

// Wine maps the Linux root to drive Z:.
std::string WindowsPathOfLinuxPath(const char* variable) {
  const char* linuxPath = std::getenv(variable);
  if (!linuxPath || !*linuxPath) throw std::runtime_error(std::string(variable) + " is not set");
  std::string path = std::string("Z:") + linuxPath;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

}  // namespace

std::string InstalledSaverPath() { return SystemFolder() + "\\Glowdrift.scr"; }
std::string InstalledMoviePath() { return SystemFolder() + "\\Glowdrift.swf"; }

std::string ShippedModulePath() { return WindowsPathOfLinuxPath("GLOWDRIFT_MODULE"); }

void InstallModule() {
  const std::string module = ShippedModulePath();
  if (!::CopyFileA(module.c_str(), InstalledSaverPath().c_str(), FALSE))
    throw std::runtime_error("cannot copy " + module + " to " + InstalledSaverPath());
}

void PlantMovie(std::uint64_t size) {
  std::ofstream movie(InstalledMoviePath(), std::ios::binary | std::ios::trunc);
  const std::vector<char> block(64 * 1024, 'F');
  for (std::uint64_t left = size; left > 0;) {
    const auto count = static_cast<std::streamsize>(std::min<std::uint64_t>(left, block.size()));
    movie.write(block.data(), count);
    left -= static_cast<std::uint64_t>(count);
  }
  if (!movie.flush()) throw std::runtime_error("cannot write " + InstalledMoviePath());
}

void PlantMovie(const std::vector<std::uint8_t>& bytes) {
  std::ofstream movie(InstalledMoviePath(), std::ios::binary | std::ios::trunc);
  movie.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
  if (!movie.flush()) throw std::runtime_error("cannot write " + InstalledMoviePath());
}

void RemoveMovie() {
  std::error_code ignored;
  std::filesystem::remove(InstalledMoviePath(), ignored);
}

std::string ArtifactPath(const std::string& name) {
  return WindowsPathOfLinuxPath("SWIVEX_ARTIFACTS_DIR") + "\\" + name;
}

}  // namespace swivex::glowdrift::testing
