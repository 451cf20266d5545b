#pragma once

#include "playback/StubText.h"

namespace swivex {

enum class OpenResult { Opened, NoPlayer, Failed };

// Whether the user has a program registered to open .swf files.
bool IsSwfPlayerRegistered();

// Asks the shell to open `moviePath` with the program registered for .swf files. On failure
// `failure` receives the reason.
OpenResult OpenWithSwfPlayer(const StubText& moviePath, StubText& failure);

}  // namespace swivex
