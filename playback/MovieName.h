#pragma once

#include "playback/BoundedText.h"
#include "playback/FileSystem.h"

namespace swivex {

// Appends the name of the file at `path` without its folder and extension, split the way the
// Windows shell splits names ("intro" from "C:\Games\intro.exe"); "movie" when nothing is left.
void AppendMovieName(BoundedText& text, const char* path, FileSystem& system);

// Appends the folder of the file at `path` with its closing separator ("C:\Games\" from
// "C:\Games\intro.exe"); nothing for a bare name.
void AppendFolderPart(BoundedText& text, const char* path, FileSystem& system);

}  // namespace swivex
