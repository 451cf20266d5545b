#include "screensaver-module/SettingsStore.h"

#include <windows.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "screensaver-module/FailureReport.h"
#include "winsupport/WindowsHandles.h"

namespace swivex::glowdrift {

namespace {

// The choice that the value holds, read with its type and however many bytes it has.
bool ReadChoice(HKEY key, const char* name, bool byDefault) {
  DWORD type = 0;
  DWORD size = 0;
  if (::RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
    return ChoiceFromValue(std::nullopt, byDefault);
  std::vector<std::uint8_t> bytes(size);
  if (::RegQueryValueExA(key, name, nullptr, &type, bytes.data(), &size) != ERROR_SUCCESS)
    return ChoiceFromValue(std::nullopt, byDefault);
  bytes.resize(size);
  return ChoiceFromValue(StoredValue{type, bytes}, byDefault);
}

[[noreturn]] void FailToSave(LSTATUS status) {
  throw std::runtime_error(
      FailureText(std::string("Cannot save the settings in HKEY_CURRENT_USER\\") + kSettingsKey,
                  static_cast<DWORD>(status)));
}

}  // namespace

SaverSettings ReadSaverSettings() {
  const SaverSettings defaults;
  win::UniqueKey key;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_QUERY_VALUE, key.Receive()) !=
      ERROR_SUCCESS)
    return defaults;
  return {ReadChoice(key.Get(), kPlayMovieValue, defaults.playMovie),
          ReadChoice(key.Get(), kPlaySoundValue, defaults.playSound)};
}

void SaveSaverSettings(const SaverSettings& settings) {
  win::UniqueKey key;
  const LSTATUS opened = ::RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0,
                                           KEY_SET_VALUE, nullptr, key.Receive(), nullptr);
  if (opened != ERROR_SUCCESS) FailToSave(opened);
  const std::pair<const char*, bool> values[] = {{kPlayMovieValue, settings.playMovie},
                                                 {kPlaySoundValue, settings.playSound}};
  for (const auto& [name, on] : values) {
    const DWORD data = on ? 1 : 0;
    const LSTATUS written = ::RegSetValueExA(key.Get(), name, 0, REG_DWORD,
                                             reinterpret_cast<const BYTE*>(&data), sizeof data);
    if (written != ERROR_SUCCESS) FailToSave(written);
  }
}

}  // namespace swivex::glowdrift
