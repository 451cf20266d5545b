#include "common/ProgramFolder.h"

#include "common/FileNames.h"
#include "platform/Platform.h"

namespace swivex {

std::string ProgramFolder(Platform& platform) {
  return FolderPart(platform.ModuleFileName(), platform);
}

}  // namespace swivex
