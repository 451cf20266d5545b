#pragma once

#include "playback/BoundedText.h"
#include "playback/FileSystem.h"

namespace swivex {

// How the stub's failure messages begin, each followed by the path it concerns.
inline constexpr char kCannotReadMovie[] = "Cannot read the movie from";
inline constexpr char kCannotSaveMovie[] = "Cannot save the movie to";
inline constexpr char kCannotCheckCopy[] = "Cannot check the movie saved as";

// Appends `what "path". <the system's words for error>.` to `failure`. Returns false, for the
// caller to return.
bool ReportFailure(FileSystem& system, BoundedText& failure, const char* what,
                   const BoundedText& path, FileError error);
// Appends `sentence <the system's words for error>.`, for a failure that concerns no file.
bool ReportFailure(FileSystem& system, BoundedText& failure, const char* sentence, FileError error);

}  // namespace swivex
