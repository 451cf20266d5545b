#pragma once

#include "swf/ByteSource.h"
#include "swf/SwfHeader.h"

namespace swivex::swf {

// What a projector needs to know of a movie before it opens a window for it.
struct FirstFrame {
  SwfHeader header;
  // The actions of the first frame end by asking for full screen: fscommand("fullscreen",
  // "true") as ActionScript 1 and 2 spell it, a getURL of "FSCommand:fullscreen" with the
  // target "true" (ActionGetURL, or ActionGetURL2 with pushed constant strings), the last such
  // request of the frame counting. Calls that are made up while the movie runs, and those in
  // the bodies of functions, are not seen.
  bool asksFullScreen = false;
};

// Reads the header and the tags of the first frame, up to its ShowFrame or the End tag, and the
// actions of its DoAction tags; nothing after them. A damaged or truncated header, or a first
// frame that cannot be read, raises ESwfError naming the offset.
FirstFrame ReadFirstFrame(ByteSource& file);

}  // namespace swivex::swf
