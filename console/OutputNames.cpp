#include "console/OutputNames.h"

#include "common/FileNames.h"

namespace swivex::console {

namespace {

bool EndsWithSeparator(std::string_view path, const PathSyntax& syntax) {
  return !path.empty() && FolderPart(path, syntax).size() == path.size();
}

}  // namespace

std::string WithSystemSeparators(std::string path, const PathSyntax& syntax) {
  // No trail byte of a double-byte character is as low as "/".
  for (char& c : path) {
    if (c == '/') c = syntax.separator;
  }
  return path;
}

std::string NamePart(std::string_view path, const PathSyntax& syntax) {
  return std::string(path.substr(FolderPart(path, syntax).size()));
}

std::string InFolder(std::string_view folder, std::string_view name, const PathSyntax& syntax) {
  std::string path(folder);
  if (!folder.empty() && !EndsWithSeparator(folder, syntax)) path += syntax.separator;
  return path.append(name);
}

std::string TargetFor(std::string_view source, std::string_view extension, std::string_view folder,
                      const PathSyntax& syntax) {
  const std::string renamed = ReplaceExtension(source, extension, syntax);
  return folder.empty() ? renamed : InFolder(folder, NamePart(renamed, syntax), syntax);
}

}  // namespace swivex::console
