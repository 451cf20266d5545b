#pragma once

#include <string>

namespace swivex {

class Files;
class Desktop;

// Copies `source` over `target` so that `target` is replaced only once the copy is complete: a
// copy that fails, even partway (a full disk), leaves the installed file as it was and nothing
// beside it. Raises EFCreateError naming both files and the system's reason.
void CopyReplacing(const std::string& source, const std::string& target, Files& files,
                   Desktop& desktop);

}  // namespace swivex
