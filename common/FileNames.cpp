#include "common/FileNames.h"

#include "platform/Platform.h"

namespace swivex {

std::size_t LastDelimiter(std::string_view path, std::string_view delimiters, Platform& platform) {
  std::size_t found = std::string_view::npos;
  for (std::size_t i = 0; i < path.size(); ++i) {
    const auto byte = static_cast<unsigned char>(path[i]);
    if (delimiters.find(path[i]) != std::string_view::npos) {
      found = i;
    } else if (platform.IsLeadByte(byte)) {
      ++i;  // the next byte belongs to this character
    }
  }
  return found;
}

namespace {

std::string Separators(Platform& platform) { return {platform.DirectorySeparator(), ':'}; }

}  // namespace

std::string FolderPart(std::string_view path, Platform& platform) {
  std::size_t last = LastDelimiter(path, Separators(platform), platform);
  if (last == std::string_view::npos) return {};
  return std::string(path.substr(0, last + 1));
}

std::string FolderPart(std::string_view path) { return FolderPart(path, SystemPlatform()); }

std::string ReplaceExtension(std::string_view path, std::string_view extension,
                             Platform& platform) {
  std::size_t last = LastDelimiter(path, Separators(platform) + '.', platform);
  std::string result(path);
  if (last != std::string_view::npos && path[last] == '.') result.resize(last);
  result += extension;
  return result;
}

std::string ReplaceExtension(std::string_view path, std::string_view extension) {
  return ReplaceExtension(path, extension, SystemPlatform());
}

}  // namespace swivex
