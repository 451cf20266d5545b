#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace swivex::glowdrift {

// What the user chose in the settings dialog, kept per user in the registry.
struct SaverSettings {
  bool playMovie = true;   // otherwise the drifting pictures show
  bool playSound = false;  // the movie's sound, when it plays
};

// Where the settings are kept: under HKEY_CURRENT_USER, one REG_DWORD of 0 or 1 per choice.
inline constexpr char kSettingsKey[] = "Software\\Swivex\\Glowdrift";
inline constexpr char kPlayMovieValue[] = "PlayMovie";
inline constexpr char kPlaySoundValue[] = "PlaySound";

// REG_DWORD, whose four bytes are little-endian.
inline constexpr std::uint32_t kDwordValueType = 4;

// A value as the registry holds it: its type and its bytes.
struct StoredValue {
  std::uint32_t type = 0;
  std::span<const std::uint8_t> bytes;
};

// The choice that a value holds: a REG_DWORD of exactly four bytes that holds 0 or 1. Anything
// else, or no value at all, gives the default: a value damaged by hand or by another program
// never stops the saver.
bool ChoiceFromValue(const std::optional<StoredValue>& stored, bool byDefault);

}  // namespace swivex::glowdrift
