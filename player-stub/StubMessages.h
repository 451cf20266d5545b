#pragma once

#include "playback/BoundedText.h"

namespace swivex {

// What the player stub tells the user: in a message box titled "Swivex projector" on Windows,
// on the standard error stream elsewhere.
enum class MessageKind { Information, Warning, Error };

void ShowStubMessage(const char* text, MessageKind kind);

void ShowBareStubMessage();
void ShowEmptyMovieMessage();
void ShowNoSwfPlayerMessage(const BoundedText& savedMovie);
void ShowNoPageMessage(const BoundedText& address);
void ShowNoBrowserMessage();
void ShowStubFailure(const BoundedText& failure);

}  // namespace swivex
