#include "player-stub/StubMessages.h"

namespace swivex {

namespace {

constexpr char kBareStub[] =
    "This is the player stub for Swivex projectors. It is not meant to be run on its own.\n\n"
    "Swivex puts it in front of a movie to make a projector. Run a projector made with Swivex "
    "to play its movie.";

constexpr char kEmptyMovie[] =
    "This projector was made from an empty movie, so there is nothing to play.";

constexpr char kNoBrowser[] =
    "No web browser could be started, so the movie cannot be played.\n\n"
    "The projector plays its movie in a browser window. Install a current web browser, such as "
    "Mozilla Firefox, Google Chrome or Microsoft Edge (and, on Linux, xdg-utils, which opens "
    "it), then run the projector again.";

}  // namespace

void ShowBareStubMessage() { ShowStubMessage(kBareStub, MessageKind::Information); }

void ShowEmptyMovieMessage() { ShowStubMessage(kEmptyMovie, MessageKind::Information); }

void ShowNoSwfPlayerMessage(const BoundedText& savedMovie) {
  BoundedText text(
      "No program is registered on this computer to open .swf files, so the movie cannot be "
      "played.\n\nThe movie has been saved as:\n");
  text.Append(savedMovie)
      .Append(
          "\n\nInstall a Flash player, then open that file with it or run the projector "
          "again.");
  ShowStubMessage(text.CStr(), MessageKind::Warning);
}

void ShowNoPageMessage(const BoundedText& address) {
  BoundedText text(
      "The movie's page did not open in a web browser within two minutes, so the projector has "
      "stopped.\n\nThe page's address was:\n");
  text.Append(address).Append(
      "\n\nRun the projector again. If no browser window appears, check that a current web "
      "browser is installed and set as the default browser.");
  ShowStubMessage(text.CStr(), MessageKind::Warning);
}

void ShowNoBrowserMessage() { ShowStubMessage(kNoBrowser, MessageKind::Warning); }

void ShowStubFailure(const BoundedText& failure) {
  ShowStubMessage(failure.CStr(), MessageKind::Error);
}

}  // namespace swivex
