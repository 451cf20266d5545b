#include "common/ProgramFolder.h"

#include "common/Exceptions.h"
#include "common/FileNames.h"
#include "common/SystemErrorText.h"
#include "platform/Files.h"

namespace swivex {

std::string ProgramFolder(Files& files) {
  const PathResult module = files.ModuleFileName();
  // An empty folder would make the files that ship beside the program relative names, looked
  // up wherever the current folder happens to be.
  if (module.error != 0)
    throw Exception("Cannot find the program's own file. " + SystemErrorText(module.error, files));
  return FolderPart(module.path, files.Syntax());
}

}  // namespace swivex
