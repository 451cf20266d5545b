#include "console/OutputFolder.h"

#include "common/Exceptions.h"
#include "common/FileFailure.h"
#include "common/FileNames.h"

namespace swivex::console {

void EnsureFolder(const std::string& folder, ConsoleSystem& system) {
  if (folder.empty() || system.folders.KindOf(folder) == PathKind::kFolder) return;
  const PathSyntax syntax = system.files.Syntax();
  // The parent is the folder part of the name without its own trailing separators.
  std::string trimmed = folder;
  while (trimmed.size() > 1 && FolderPart(trimmed, syntax).size() == trimmed.size())
    trimmed.pop_back();
  const std::string parent = FolderPart(trimmed, syntax);
  if (parent.size() < trimmed.size()) EnsureFolder(parent, system);
  if (const ErrorCode error = system.folders.CreateFolder(trimmed))
    throw EFCreateError(FileFailureText("Cannot create folder", trimmed, error, system.files));
}

}  // namespace swivex::console
