// viewhost: the player stub of projectors for Linux. It serves the movie behind itself with the
// Flash player it carries and opens the page with xdg-open, in the user's default browser, by
// way of a file that only the user can read: other users see every program's arguments.
#include <array>

#include "playback/PlayerFileList.h"
#include "playback/PosixFileSystem.h"
#include "playback/SystemServer.h"
#include "player-stub/BrowserPlayAndTell.h"
#include "player-stub/OwnIcon.h"
#include "player-stub/StubMessages.h"

int main() {
  swivex::PosixFileSystem system;
  swivex::SystemServer network;
  swivex::SystemBrowsers browsers;
  std::array<swivex::PlayerFile, SWIVEX_PLAYER_FILE_COUNT> table;
  const std::optional<swivex::StubOutcome> played = swivex::PlayInBrowserAndTell(
      system, network, browsers, swivex::FindCarriedPlayerFiles(table), swivex::FindOwnIcon({}));
  if (played) return static_cast<int>(*played);
  swivex::ShowNoBrowserMessage();
  return static_cast<int>(swivex::StubOutcome::NoBrowser);
}
