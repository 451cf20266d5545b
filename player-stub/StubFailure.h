#pragma once

#include "playback/StubSystem.h"
#include "playback/StubText.h"

namespace swivex {

// How the stub's failure messages begin, each followed by the path it concerns.
inline constexpr char kCannotReadMovie[] = "Cannot read the movie from";
inline constexpr char kCannotSaveMovie[] = "Cannot save the movie to";
inline constexpr char kCannotCheckCopy[] = "Cannot check the movie saved as";

// Appends `what "path". <the system's words for error>.` to `failure`. Returns false, for the
// caller to return.
bool ReportFailure(StubSystem& system, StubText& failure, const char* what, const StubText& path,
                   StubError error);
// Appends `sentence <the system's words for error>.`, for a failure that concerns no file.
bool ReportFailure(StubSystem& system, StubText& failure, const char* sentence, StubError error);

}  // namespace swivex
