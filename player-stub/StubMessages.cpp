#include "player-stub/StubMessages.h"

#include <windows.h>

namespace swivex {

namespace {

constexpr char kTitle[] = "Swivex projector";

constexpr char kBareStub[] =
    "This is the player stub for Swivex projectors. It is not meant to be run on its own.\n\n"
    "Swivex puts it in front of a movie to make a projector. Run a projector made with Swivex "
    "to play its movie.";

constexpr char kEmptyMovie[] =
    "This projector was made from an empty movie, so there is nothing to play.";

void Show(const char* text, UINT icon) {
  ::MessageBoxA(nullptr, text, kTitle, MB_OK | icon | MB_SETFOREGROUND);
}

}  // namespace

void ShowBareStubMessage() { Show(kBareStub, MB_ICONINFORMATION); }

void ShowEmptyMovieMessage() { Show(kEmptyMovie, MB_ICONINFORMATION); }

void ShowNoSwfPlayerMessage(const StubText& savedMovie) {
  StubText text(
      "No program is registered on this computer to open .swf files, so the movie cannot be "
      "played.\n\nThe movie has been saved as:\n");
  text.Append(savedMovie)
      .Append(
          "\n\nInstall a Flash player, then open that file with it or run the projector "
          "again.");
  Show(text.CStr(), MB_ICONWARNING);
}

void ShowStubFailure(const StubText& failure) { Show(failure.CStr(), MB_ICONERROR); }

}  // namespace swivex
