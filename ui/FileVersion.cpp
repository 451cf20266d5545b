#include "ui/FileVersion.h"

#include <windows.h>

#include <vector>

#include "winsupport/SystemLibrary.h"

namespace swivex {

std::string GetFileVersionText(const std::string& path) {
  const win::SystemLibrary version("VERSION.dll");
  const auto getSize =
      version.Function<decltype(::GetFileVersionInfoSizeA)>("GetFileVersionInfoSizeA");
  const auto getInfo = version.Function<decltype(::GetFileVersionInfoA)>("GetFileVersionInfoA");
  const auto query = version.Function<decltype(::VerQueryValueA)>("VerQueryValueA");

  DWORD handle = 0;
  const DWORD size = getSize(path.c_str(), &handle);
  if (size == 0) {
    return {};
  }
  // Zero-filled, and released on every way out with the vector.
  std::vector<char> block(size);
  getInfo(path.c_str(), 0, size, block.data());

  char* text = nullptr;
  UINT length = 0;
  if (!query(block.data(), "\\StringFileInfo\\040904E4\\FileVersion",
             reinterpret_cast<void**>(&text), &length) ||
      text == nullptr) {
    return {};
  }
  return text;
}

}  // namespace swivex
