#include "ui/HandedFiles.h"

#include <algorithm>

namespace swivex {

namespace {

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// A drive's path ("C:\...") or a share's ("\\server\share..."); not one relative to the working
// folder, to a drive's current folder ("C:movie.swf") or to the current drive's root ("\movie").
bool IsFullPath(std::string_view name, char separator) {
  if (name.size() < 3) return false;
  const bool onDrive = IsAsciiLetter(name[0]) && name[1] == ':' && name[2] == separator;
  const bool onShare = name[0] == separator && name[1] == separator && name[2] != separator;
  return onDrive || onShare;
}

bool IsHandedName(std::string_view name, const PathSyntax& syntax) {
  // Control characters are never trail bytes of a double-byte character.
  const bool control =
      std::ranges::any_of(name, [](char c) { return static_cast<unsigned char>(c) < 0x20; });
  return name.size() <= kMaxHandedNameBytes && !control && IsFullPath(name, syntax.separator);
}

}  // namespace

std::vector<std::string> PackHandedFiles(const std::vector<std::string>& files) {
  std::vector<std::string> messages;
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (i % kMaxHandedFiles == 0) messages.emplace_back();
    messages.back() += files[i];
    messages.back() += '\0';
  }
  return messages;
}

std::optional<std::vector<std::string>> UnpackHandedFiles(std::string_view data,
                                                          const PathSyntax& syntax) {
  if (data.empty() || data.back() != '\0') return std::nullopt;
  std::vector<std::string> names;
  for (std::size_t start = 0; start < data.size();) {
    const std::size_t end = data.find('\0', start);
    const std::string_view name = data.substr(start, end - start);
    if (names.size() == kMaxHandedFiles || !IsHandedName(name, syntax)) return std::nullopt;
    names.emplace_back(name);
    start = end + 1;
  }
  return names;
}

}  // namespace swivex
