#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace swivex {

// One file of the Flash player that the stub, the screen saver and swivexc carry, compressed with
// gzip when it was built: its scripts, its WebAssembly and the page of its licences.
struct PlayerFile {
  std::string_view name;  // as the page asks for it: "ruffle.js"
  const char* contentType;
  std::span<const unsigned char> gzip;
};

// The player's files inside the running program, written into `table`: from its resources on
// Windows, from its data elsewhere. Empty when they cannot be found.
std::span<const PlayerFile> FindCarriedPlayerFiles(std::span<PlayerFile> table);

// The size of the file that gzip bytes hold, from their last four bytes (gzip's ISIZE: the size
// modulo 2^32, which the player's files stay far below).
std::uint64_t PlainSizeOf(std::span<const unsigned char> gzip);

}  // namespace swivex
