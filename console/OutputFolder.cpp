#include "console/OutputFolder.h"

#include "common/Exceptions.h"
#include "common/FileFailure.h"
#include "common/FileNames.h"

namespace swivex::console {

namespace {

void EnsureFolder(const std::string& folder, ConsoleSystem& system,
                  std::vector<std::string>* made) {
  if (folder.empty() || system.folders.KindOf(folder) == PathKind::kFolder) return;
  const PathSyntax syntax = system.files.Syntax();
  // The parent is the folder part of the name without its own trailing separators.
  std::string trimmed = folder;
  while (trimmed.size() > 1 && FolderPart(trimmed, syntax).size() == trimmed.size())
    trimmed.pop_back();
  const std::string parent = FolderPart(trimmed, syntax);
  if (parent.size() < trimmed.size()) EnsureFolder(parent, system, made);
  if (const ErrorCode error = system.folders.CreateFolder(trimmed))
    throw EFCreateError(FileFailureText("Cannot create folder", trimmed, error, system.files));
  if (made != nullptr) made->push_back(trimmed);
}

}  // namespace

void EnsureFolder(const std::string& folder, ConsoleSystem& system) {
  EnsureFolder(folder, system, nullptr);
}

MadeFolders::~MadeFolders() {
  for (auto folder = made_.rbegin(); folder != made_.rend(); ++folder)
    system_.folders.RemoveEmptyFolder(*folder);
}

void MadeFolders::Ensure(const std::string& folder) { EnsureFolder(folder, system_, &made_); }

}  // namespace swivex::console
