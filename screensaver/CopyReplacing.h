#pragma once

#include <string>

#include "common/Exceptions.h"

namespace swivex {

class Files;
class Desktop;

// The target's folder refused a new file with access denied, as the system folder does for a
// user without administrator rights. Nothing was copied and nothing left behind.
class EFolderRefused : public EFCreateError {
  using EFCreateError::EFCreateError;
};

// Copies `source` over `target` so that `target` is replaced only once the copy is complete: a
// copy that fails, even partway (a full disk), leaves the installed file as it was and nothing
// beside it. A target that already holds the same bytes is left alone, so a program that runs it
// (the screen saver's preview) does not stand in the way. Raises EFCreateError naming both files
// and the system's reason; EFolderRefused when the target's folder refuses new files.
void CopyReplacing(const std::string& source, const std::string& target, Files& files,
                   Desktop& desktop);

}  // namespace swivex
