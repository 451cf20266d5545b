#pragma once

#include "playback/BoundedText.h"

namespace swivex {

enum class OpenResult { Opened, NoPlayer, Failed };

// Whether the user has a program registered to open .swf files.
bool IsSwfPlayerRegistered();

// Asks the shell to open `moviePath` with the program registered for .swf files. On failure
// `failure` receives the reason.
OpenResult OpenWithSwfPlayer(const BoundedText& moviePath, BoundedText& failure);

}  // namespace swivex
