#pragma once

#include <cstddef>
#include <string_view>

namespace swivex {

// The longest path below the projector's folder that the server opens, in bytes. Windows' ANSI
// calls take no longer paths in all.
inline constexpr std::size_t kMostServedPath = 1024;

// A path taken from a request, decoded: "sounds/intro theme.mp3" from "sounds/intro%20theme.mp3".
class ServedPath {
 public:
  std::string_view View() const { return {bytes_, length_}; }
  const char* CStr() const { return bytes_; }

  // Decodes the percent escapes of `encoded` (a URL path without its query). False when an
  // escape is malformed or the result would be longer than kMostServedPath.
  bool Decode(std::string_view encoded);

 private:
  char bytes_[kMostServedPath + 1] = {};
  std::size_t length_ = 0;
};

// Whether a decoded path may name a file in the projector's folder or below it. Refused: an
// absolute path, an empty name, a name that begins with "." (a hidden file or folder, "." and
// ".." among them), a drive letter or a stream (any ":"), a backslash, a control character or
// one of <>"|?*, a name that ends in "." or " " (Windows drops those, so two spellings would
// name one file), and a device name such as CON, NUL or COM1 with or without an extension.
bool IsServablePath(std::string_view path);

}  // namespace swivex
