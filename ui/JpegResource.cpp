#include "ui/JpegResource.h"

#include <windows.h>

#include <string>

#include "common/Exceptions.h"

namespace swivex {

// Resources lie in the program's mapped image: nothing is allocated and nothing is released.
std::vector<std::uint8_t> JpegResourceBytes(int id) {
  const HMODULE module = GetModuleHandleA(nullptr);
  const HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), RT_RCDATA);
  const HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
  const auto* bytes = static_cast<const std::uint8_t*>(loaded ? LockResource(loaded) : nullptr);
  if (bytes == nullptr) {
    throw Exception("The program's picture resource " + std::to_string(id) + " is missing");
  }
  return std::vector<std::uint8_t>(bytes, bytes + SizeofResource(module, found));
}

}  // namespace swivex
