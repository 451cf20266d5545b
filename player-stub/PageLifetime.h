#pragma once

#include <cstdint>

#include "playback/BrowserSystem.h"
#include "playback/Connection.h"

namespace swivex {

// How long the stub waits for the browser to open the page, and how long it stays after the
// page's last stream has closed: long enough for a reloaded page to open its stream again.
inline constexpr std::uint64_t kPageArrivalMilliseconds = 120'000;
inline constexpr std::uint64_t kAfterLastPageMilliseconds = 4'000;

enum class PageState {
  Waiting,    // the browser is starting: no page has opened its stream yet
  Playing,    // a page holds its stream open, or the last one closed moments ago
  Ended,      // the last page closed, or the movie asked to quit: the stub is done
  NoPage,     // no page came within kPageArrivalMilliseconds
  NoBrowser,  // the program that opens the browser failed before any page came
};

// Where the page's life stands at `now`, the browser having been opened at `openedAt` by a
// program that stands at `launcher`, when a page has told that its movie asked to quit
// (`quitTold`) or not. Once a page has come, the launcher no longer counts: some end with the
// browser, however it ended. A movie that quits ends the stub at once, as it ended its projector,
// whatever its window does.
PageState PageStateAt(const StreamCount& streams, bool quitTold, Launcher launcher,
                      std::uint64_t openedAt, std::uint64_t now);

}  // namespace swivex
