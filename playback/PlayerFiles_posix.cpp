#include "playback/PlayerFileList.h"
#include "playback/PlayerFiles.h"

// The files' bytes, put into the program's read-only data by the build (PlayerFiles.S).
#define SWIVEX_DECLARE_PLAYER_FILE(index, name, type)                  \
  extern "C" const unsigned char swivex_player_file_##index##_start[]; \
  extern "C" const unsigned char swivex_player_file_##index##_end[];
SWIVEX_PLAYER_FILES(SWIVEX_DECLARE_PLAYER_FILE)
#undef SWIVEX_DECLARE_PLAYER_FILE

namespace swivex {

std::span<const PlayerFile> FindCarriedPlayerFiles(std::span<PlayerFile> table) {
  std::size_t found = 0;
#define SWIVEX_FIND_PLAYER_FILE(index, name, type)                                           \
  if (found < table.size()) {                                                                \
    table[found++] = {                                                                       \
        name, type, {swivex_player_file_##index##_start, swivex_player_file_##index##_end}}; \
  }
  SWIVEX_PLAYER_FILES(SWIVEX_FIND_PLAYER_FILE)
#undef SWIVEX_FIND_PLAYER_FILE
  return table.first(found);
}

}  // namespace swivex
