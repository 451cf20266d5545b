#pragma once

#include <span>

#include "player-stub/OwnMovie.h"
#include "player-stub/StubSystem.h"
#include "player-stub/StubText.h"
#include "player-stub/server/BrowserSystem.h"
#include "player-stub/server/PlayerFiles.h"
#include "player-stub/server/ServerSystem.h"

namespace swivex {

enum class Playback {
  Played,       // the page opened, and it has been closed
  NoPage,       // a browser was started, but no page opened within two minutes
  NoBrowser,    // no browser could be started, or its launcher failed before a page came
  CannotServe,  // the page's server could not start
};

// Plays the movie of the projector `own` in a browser: serves it with the player on a page of
// its own on 127.0.0.1, opens the page, and returns once the page has closed. `address` gets the
// page's address once it is known.
Playback PlayInBrowser(const OwnMovie& own, std::span<const PlayerFile> player, StubSystem& files,
                       ServerSystem& network, BrowserSystem& browsers, StubText& address);

}  // namespace swivex
