#pragma once

namespace swivex {

// The player stub's exit code: what became of the movie it carries.
enum class StubOutcome : int {
  MovieOpened = 0,  // played in a browser window, or handed to the program registered for .swf
  BareStub = 1,     // no movie behind the stub: it was run on its own
  EmptyMovie = 2,   // a projector made from an empty movie
  NoSwfPlayer = 3,  // no browser: the movie is saved, but no program is registered for .swf files
  Failed = 4,       // the movie could not be read, saved or handed over
  NoPage = 5,       // a browser was started, but the movie's page never opened in it
  NoBrowser = 6,    // no browser could be started (where nothing else can play the movie)
};

}  // namespace swivex
