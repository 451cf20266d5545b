#include "common/ProgramFolder.h"

#include "common/FileNames.h"
#include "platform/Files.h"

namespace swivex {

std::string ProgramFolder(Files& files) {
  return FolderPart(files.ModuleFileName(), files.Syntax());
}

}  // namespace swivex
