#include "playback/PageToken.h"

namespace swivex {

bool PageToken::Make(ServerSystem& system) {
  unsigned char bytes[kBytes];
  if (!system.FillRandom(bytes)) return false;
  constexpr char kHex[] = "0123456789abcdef";
  for (std::size_t index = 0; index < kBytes; ++index) {
    digits_[2 * index] = kHex[bytes[index] >> 4];
    digits_[2 * index + 1] = kHex[bytes[index] & 15];
  }
  return true;
}

}  // namespace swivex
