#pragma once

#include "playback/StubText.h"

namespace swivex {

// What the player stub tells the user: in a message box titled "Swivex projector" on Windows,
// on the standard error stream elsewhere.
enum class MessageKind { Information, Warning, Error };

void ShowStubMessage(const char* text, MessageKind kind);

void ShowBareStubMessage();
void ShowEmptyMovieMessage();
void ShowNoSwfPlayerMessage(const StubText& savedMovie);
void ShowNoPageMessage(const StubText& address);
void ShowNoBrowserMessage();
void ShowStubFailure(const StubText& failure);

}  // namespace swivex
