#include "ui/FileVersion.h"

#include <windows.h>

#include <vector>

namespace swivex {

std::string GetFileVersionText(const std::string& path) {
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
  if (size == 0) {
    return {};
  }
  // Zero-filled, and released on every way out with the vector.
  std::vector<char> block(size);
  GetFileVersionInfoA(path.c_str(), 0, size, block.data());

  char* text = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(block.data(), "\\StringFileInfo\\040904E4\\FileVersion",
                      reinterpret_cast<void**>(&text), &length) ||
      text == nullptr) {
    return {};
  }
  return text;
}

}  // namespace swivex
