#pragma once

#include <optional>
#include <span>

#include "player-stub/StubOutcome.h"
#include "player-stub/StubSystem.h"
#include "player-stub/server/BrowserSystem.h"
#include "player-stub/server/PlayerFiles.h"
#include "player-stub/server/ServerSystem.h"

namespace swivex {

// Plays the movie behind the running stub in a browser window and tells the user what went
// wrong, if anything. Nothing when no browser could be started and nothing was said, so that the
// caller can try another way.
std::optional<StubOutcome> PlayInBrowserAndTell(StubSystem& files, ServerSystem& network,
                                                BrowserSystem& browsers,
                                                std::span<const PlayerFile> player);

}  // namespace swivex
