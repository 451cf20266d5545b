#include <stdio.h>

#include "player-stub/StubMessages.h"

namespace swivex {

void ShowStubMessage(const char* text, MessageKind) { fprintf(stderr, "%s\n", text); }

}  // namespace swivex
