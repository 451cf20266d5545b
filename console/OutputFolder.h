#pragma once

#include <string>

#include "console/Commands.h"

namespace swivex::console {

// Makes `folder` exist, with the folders it lies in. Raises EFCreateError "Cannot create folder
// "<path>". <reason>".
void EnsureFolder(const std::string& folder, ConsoleSystem& system);

}  // namespace swivex::console
