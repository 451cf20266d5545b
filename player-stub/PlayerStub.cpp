// Viewhost.exe: the player stub at the front of every projector. It finds the movie behind
// itself, saves it as a .swf file and hands that to the user's Flash player.
#include <windows.h>

#include "player-stub/MovieExtraction.h"
#include "player-stub/StubMessages.h"
#include "player-stub/StubOutcome.h"
#include "player-stub/SwfPlayer.h"
#include "player-stub/WindowsStubSystem.h"
#include "winsupport/SystemDllSearch.h"

namespace swivex {

namespace {

StubOutcome OpenSavedMovie(const StubText& savedPath, StubText& failure) {
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
StubOutcome PlayOwnMovie(StubText& savedPath, StubText& failure) {
  WindowsStubSystem system;
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

// Plays the movie and shows the message that the outcome calls for.
StubOutcome PlayAndTell() {
  StubText savedPath;
  StubText failure;
  const StubOutcome outcome = PlayOwnMovie(savedPath, failure);
  switch (outcome) {
    case StubOutcome::MovieOpened:
      break;
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
  }
  return outcome;
}

}  // namespace

}  // namespace swivex

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  swivex::win::LoadDllsFromSystemFolderOnly();
  swivex::win::LoadThemeLibrariesFromSystemFolder();
  return static_cast<int>(swivex::PlayAndTell());
}
