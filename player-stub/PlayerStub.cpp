// Viewhost.exe: the player stub at the front of every projector. It serves the movie behind
// itself with the Flash player it carries to a browser window of its own; without a browser it
// saves the movie as a .swf file and hands that to the user's Flash player.
#include <windows.h>

#include <array>
#include <cstdlib>

#include "playback/PlayerFileList.h"
#include "playback/SystemServer.h"
#include "playback/WindowsFileSystem.h"
#include "player-stub/BrowserPlayAndTell.h"
#include "player-stub/MovieExtraction.h"
#include "player-stub/OwnIcon.h"
#include "player-stub/StubMessages.h"
#include "player-stub/StubOutcome.h"
#include "player-stub/SwfPlayer.h"
#include "winsupport/SystemDllSearch.h"
#include "winsupport/UniqueHandle.h"

namespace swivex {

namespace {

StubOutcome OpenSavedMovie(const BoundedText& savedPath, BoundedText& failure) {
  // Checked first so that no system dialog stands in for the message that says where the
  // movie is.
  if (!IsSwfPlayerRegistered()) return StubOutcome::NoSwfPlayer;
  switch (OpenWithSwfPlayer(savedPath, failure)) {
    case OpenResult::Opened:
      return StubOutcome::MovieOpened;
    case OpenResult::NoPlayer:
      return StubOutcome::NoSwfPlayer;
    case OpenResult::Failed:
      break;
  }
  return StubOutcome::Failed;
}

// Saves the movie behind the stub and opens it, or says why there is nothing to open. The
// projector's own file is closed again before the movie is opened.
StubOutcome PlayOwnMovie(FileSystem& system, BoundedText& savedPath, BoundedText& failure) {
  switch (ExtractOwnMovie(system, savedPath, failure)) {
    case Extraction::Saved:
      break;
    case Extraction::BareStub:
      return StubOutcome::BareStub;
    case Extraction::EmptyMovie:
      return StubOutcome::EmptyMovie;
    case Extraction::Failed:
      return StubOutcome::Failed;
  }
  return OpenSavedMovie(savedPath, failure);
}

// Hands the movie to the program registered for .swf files and shows the message that the
// outcome calls for.
StubOutcome PlayWithSwfPlayerAndTell(FileSystem& system) {
  BoundedText savedPath;
  BoundedText failure;
  const StubOutcome outcome = PlayOwnMovie(system, savedPath, failure);
  switch (outcome) {
    case StubOutcome::BareStub:
      ShowBareStubMessage();
      break;
    case StubOutcome::EmptyMovie:
      ShowEmptyMovieMessage();
      break;
    case StubOutcome::NoSwfPlayer:
      ShowNoSwfPlayerMessage(savedPath);
      break;
    case StubOutcome::Failed:
      ShowStubFailure(failure);
      break;
    default:
      break;
  }
  return outcome;
}

// The room in which the icon is put together from the resources: too large for the stack, and
// the compiler would write static room into the program's file.
struct HeapRoomTraits {
  using Handle = char*;
  static Handle Empty() noexcept { return nullptr; }
  static void Release(Handle room) noexcept { std::free(room); }
};

StubOutcome PlayAndTell() {
  WindowsFileSystem system;
  {
    SystemServer network;
    SystemBrowsers browsers;
    std::array<PlayerFile, SWIVEX_PLAYER_FILE_COUNT> table;
    const win::UniqueHandle<HeapRoomTraits> iconRoom(
        static_cast<char*>(std::malloc(kMostIconBytes)));
    const std::span<char> room(iconRoom.Get(), iconRoom ? kMostIconBytes : 0);
    const std::optional<StubOutcome> played = PlayInBrowserAndTell(
        system, network, browsers, FindCarriedPlayerFiles(table), FindOwnIcon(room));
    if (played) return *played;
  }
  return PlayWithSwfPlayerAndTell(system);
}

}  // namespace

}  // namespace swivex

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  swivex::win::LoadDllsFromSystemFolderOnly();
  swivex::win::LoadThemeLibrariesFromSystemFolder();
  return static_cast<int>(swivex::PlayAndTell());
}
