#pragma once

#include <string>
#include <string_view>

#include "platform/ErrorCode.h"
#include "platform/FileTypes.h"

namespace swivex {

class Files;

// The text of a file operation that failed: `what` "<full path>". <system text>, as in
// "Cannot open file "C:\movies\intro.swf". File not found". The path is the name as given when
// the system cannot expand it.
std::string FileFailureText(std::string_view what, const std::string& name, ErrorCode error,
                            Files& files);

// The text of a file operation refused because the name leads to something other than a file:
// `what` "<full path>". It is <kind>, not a file, as in "Cannot open file "/tmp/feed.swf". It is
// a named pipe, not a file".
std::string NotAFileText(std::string_view what, const std::string& name, FileKind kind,
                         Files& files);

// The name's full path for a message, or the name as given when the system cannot expand it.
std::string PathForMessage(const std::string& name, Files& files);

}  // namespace swivex
