// Viewhost.exe: the player stub at the front of every projector. It finds the movie behind
// itself, saves it as a .swf file and hands that to the user's Flash player.
#include <windows.h>

#include "player-stub/OwnFile.h"
#include "player-stub/StubMessages.h"
#include "player-stub/StubOutcome.h"
#include "player-stub/SwfPlayer.h"
#include "player-stub/TempMovie.h"

namespace swivex {

namespace {

// Saves the movie behind the stub into `savedPath` and returns nothing, or returns why there is
// no movie to open. The projector's own file is closed again before the movie is opened.
std::optional<StubOutcome> SaveOwnMovie(StubText& savedPath, StubText& failure) {
  OwnFile projector;
  std::optional<MovieLocation> movie;
  if (!projector.Open(failure) || !projector.FindMovie(movie, failure)) return StubOutcome::Failed;
  if (!movie) return StubOutcome::BareStub;
  if (movie->length == 0) return StubOutcome::EmptyMovie;
  if (!SaveMovieToTemp(projector, *movie, savedPath, failure)) return StubOutcome::Failed;
  return std::nullopt;
}

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

StubOutcome PlayOwnMovie() {
  StubText savedPath;
  StubText failure;
  const std::optional<StubOutcome> unsaved = SaveOwnMovie(savedPath, failure);
  const StubOutcome outcome = unsaved ? *unsaved : OpenSavedMovie(savedPath, failure);
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
  return static_cast<int>(swivex::PlayOwnMovie());
}
