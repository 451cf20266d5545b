#include <windows.h>

#include "playback/PlayerFileList.h"
#include "playback/PlayerFiles.h"

namespace swivex {

namespace {

// The resource script numbers the files from kFirstResource in the table's order.
constexpr int kFirstResource = 100;

std::span<const unsigned char> ResourceBytes(int id) {
  HRSRC found = ::FindResourceA(nullptr, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(10));  // RT_RCDATA
  if (!found) return {};
  HGLOBAL loaded = ::LoadResource(nullptr, found);
  const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
  if (!bytes) return {};
  return {static_cast<const unsigned char*>(bytes), ::SizeofResource(nullptr, found)};
}

}  // namespace

std::span<const PlayerFile> FindCarriedPlayerFiles(std::span<PlayerFile> table) {
  std::size_t found = 0;
#define SWIVEX_FIND_PLAYER_FILE(index, name, type)                      \
  if (found < table.size()) {                                           \
    table[found] = {name, type, ResourceBytes(kFirstResource + index)}; \
    if (table[found].gzip.empty()) return {};                           \
    ++found;                                                            \
  }
  SWIVEX_PLAYER_FILES(SWIVEX_FIND_PLAYER_FILE)
#undef SWIVEX_FIND_PLAYER_FILE
  return table.first(found);
}

}  // namespace swivex
