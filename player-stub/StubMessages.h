#pragma once

#include "player-stub/StubText.h"

namespace swivex {

// What the player stub tells the user, in a message box titled "Swivex projector".
void ShowBareStubMessage();
void ShowEmptyMovieMessage();
void ShowNoSwfPlayerMessage(const StubText& savedMovie);
void ShowStubFailure(const StubText& failure);

}  // namespace swivex
