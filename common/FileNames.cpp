#include "common/FileNames.h"

namespace swivex {

std::size_t LastDelimiter(std::string_view path, std::string_view delimiters,
                          LeadByteTest isLeadByte) {
  std::size_t found = std::string_view::npos;
  for (std::size_t i = 0; i < path.size(); ++i) {
    const auto byte = static_cast<unsigned char>(path[i]);
    if (delimiters.find(path[i]) != std::string_view::npos) {
      found = i;
    } else if (isLeadByte(byte)) {
      ++i;  // the next byte belongs to this character
    }
  }
  return found;
}

std::string FolderDelimiters(const PathSyntax& syntax) {
  std::string delimiters(1, syntax.separator);
  if (syntax.driveColon) delimiters += ':';
  return delimiters;
}

std::string FolderPart(std::string_view path, const PathSyntax& syntax) {
  std::size_t last = LastDelimiter(path, FolderDelimiters(syntax), syntax.isLeadByte);
  if (last == std::string_view::npos) return {};
  return std::string(path.substr(0, last + 1));
}

std::string ReplaceExtension(std::string_view path, std::string_view extension,
                             const PathSyntax& syntax) {
  std::size_t last = LastDelimiter(path, FolderDelimiters(syntax) + '.', syntax.isLeadByte);
  std::string result(path);
  if (last != std::string_view::npos && path[last] == '.') result.resize(last);
  result += extension;
  return result;
}

}  // namespace swivex
