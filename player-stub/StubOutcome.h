#pragma once

namespace swivex {

// The player stub's exit code: what became of the movie it carries.
enum class StubOutcome : int {
  MovieOpened = 0,  // handed to the program registered for .swf files
  BareStub = 1,     // no movie behind the stub: it was run on its own
  EmptyMovie = 2,   // a projector made from an empty movie
  NoSwfPlayer = 3,  // movie saved, but no program is registered for .swf files
  Failed = 4,       // the movie could not be read, saved or handed over
};

}  // namespace swivex
