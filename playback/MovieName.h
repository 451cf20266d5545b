#pragma once

#include "playback/StubSystem.h"
#include "playback/StubText.h"

namespace swivex {

// Appends the name of the file at `path` without its folder and extension, split the way the
// Windows shell splits names ("intro" from "C:\Games\intro.exe"); "movie" when nothing is left.
void AppendMovieName(StubText& text, const char* path, StubSystem& system);

// Appends the folder of the file at `path` with its closing separator ("C:\Games\" from
// "C:\Games\intro.exe"); nothing for a bare name.
void AppendFolderPart(StubText& text, const char* path, StubSystem& system);

}  // namespace swivex
