#pragma once

#include <string>
#include <string_view>

#include "platform/ErrorCode.h"

namespace swivex {

class Files;

// The text of a file operation that failed: `what` "<full path>". <system text>, as in
// "Cannot open file "C:\movies\intro.swf". File not found". The path is the name as given when
// the system cannot expand it.
std::string FileFailureText(std::string_view what, const std::string& name, ErrorCode error,
                            Files& files);

// The name's full path for a message, or the name as given when the system cannot expand it.
std::string PathForMessage(const std::string& name, Files& files);

}  // namespace swivex
