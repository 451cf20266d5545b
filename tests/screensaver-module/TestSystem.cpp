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

std::string BrowserStandInPath() { return WindowsPathOfLinuxPath("GLOWDRIFT_STAND_IN_PROGRAM"); }

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

namespace {
constexpr char kSettingsKey[] = "Software\\Swivex\\Glowdrift";
}  // namespace

RegistryValue DwordValue(std::uint32_t number) {
  return {REG_DWORD,
          {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
           static_cast<std::uint8_t>(number >> 16), static_cast<std::uint8_t>(number >> 24)}};
}

void SetSettingsValue(const char* name, const RegistryValue& value) {
  HKEY key = nullptr;
  if (::RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
    throw std::runtime_error("cannot create the settings key");
  const LSTATUS status = ::RegSetValueExA(key, name, 0, value.type, value.bytes.data(),
                                          static_cast<DWORD>(value.bytes.size()));
  ::RegCloseKey(key);
  if (status != ERROR_SUCCESS) throw std::runtime_error(std::string("cannot set ") + name);
}

std::optional<RegistryValue> SettingsValue(const char* name) {
  HKEY key = nullptr;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
    return std::nullopt;
  RegistryValue value;
  value.bytes.resize(64);
  DWORD size = static_cast<DWORD>(value.bytes.size());
  const LSTATUS status =
      ::RegQueryValueExA(key, name, nullptr, &value.type, value.bytes.data(), &size);
  ::RegCloseKey(key);
  if (status != ERROR_SUCCESS) return std::nullopt;
  value.bytes.resize(size);
  return value;
}

void RemoveSettings() { ::RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey); }

std::string BrowserScratchPath(const std::string& name) {
  return WindowsPathOfLinuxPath("GLOWDRIFT_BROWSER_SCRATCH") + "\\" + name;
}

std::string ArtifactPath(const std::string& name) {
  return WindowsPathOfLinuxPath("SWIVEX_ARTIFACTS_DIR") + "\\" + name;
}

}  // namespace swivex::glowdrift::testing
