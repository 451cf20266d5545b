#pragma once

#include "screensaver-module/SaverSettings.h"

namespace swivex::glowdrift {

// The user's settings from the registry (kSettingsKey under HKEY_CURRENT_USER); the defaults for
// any that are missing or damaged.
SaverSettings ReadSaverSettings();

// Writes both settings; throws a runtime error that names the key and the system's reason.
void SaveSaverSettings(const SaverSettings& settings);

}  // namespace swivex::glowdrift
