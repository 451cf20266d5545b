#pragma once

#include <optional>
#include <span>

#include "playback/BrowserSystem.h"
#include "playback/FileSystem.h"
#include "playback/PlayerFiles.h"
#include "playback/ServerSystem.h"
#include "player-stub/StubOutcome.h"

namespace swivex {

// Plays the movie behind the running stub in a browser window, with the player and the
// program's `icon` that the stub carries, and tells the user what went wrong, if anything.
// Nothing when no browser could be started and nothing was said, so that the caller can try
// another way.
std::optional<StubOutcome> PlayInBrowserAndTell(FileSystem& files, ServerSystem& network,
                                                BrowserSystem& browsers,
                                                std::span<const PlayerFile> player,
                                                std::span<const char> icon);

}  // namespace swivex
