#include "player-stub/BrowserPlayAndTell.h"

#include "player-stub/OwnMovie.h"
#include "player-stub/PagePlayback.h"
#include "player-stub/StubMessages.h"

namespace swivex {

std::optional<StubOutcome> PlayInBrowserAndTell(FileSystem& files, ServerSystem& network,
                                                BrowserSystem& browsers,
                                                std::span<const PlayerFile> player,
                                                std::span<const char> icon) {
  OwnMovie own;
  BoundedText failure;
  if (!OpenOwnMovie(files, own, failure)) {
    ShowStubFailure(failure);
    return StubOutcome::Failed;
  }
  if (!own.movie) {
    ShowBareStubMessage();
    return StubOutcome::BareStub;
  }
  if (own.movie->length == 0) {
    ShowEmptyMovieMessage();
    return StubOutcome::EmptyMovie;
  }
  BoundedText address;
  switch (PlayInBrowser(own, player, icon, files, network, browsers, address)) {
    case Playback::Played:
      return StubOutcome::MovieOpened;
    case Playback::NoPage:
      ShowNoPageMessage(address);
      return StubOutcome::NoPage;
    case Playback::NoBrowser:
    case Playback::CannotServe:
      break;
  }
  return std::nullopt;
}

}  // namespace swivex
