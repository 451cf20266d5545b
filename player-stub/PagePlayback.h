#pragma once

#include <span>

#include "playback/BoundedText.h"
#include "playback/BrowserSystem.h"
#include "playback/FileSystem.h"
#include "playback/PlayerFiles.h"
#include "playback/ServerSystem.h"
#include "player-stub/OwnMovie.h"

namespace swivex {

enum class Playback {
  Played,       // the page opened, and it has been closed
  NoPage,       // a browser was started, but no page opened within two minutes
  NoBrowser,    // no browser could be started, or its launcher failed before a page came
  CannotServe,  // the page's server could not start
};

// Plays the movie of the projector `own` in a browser: serves it with the player and the
// program's `icon` (an .ico file, or empty) on a page of its own on 127.0.0.1, opens the page in
// a window fitted to the movie's stage, full screen if its first frame asks for it, and returns
// once the page has closed. `address` gets the page's address once it is known.
Playback PlayInBrowser(const OwnMovie& own, std::span<const PlayerFile> player,
                       std::span<const char> icon, FileSystem& files, ServerSystem& network,
                       BrowserSystem& browsers, BoundedText& address);

}  // namespace swivex
