#pragma once

#include <cstddef>
#include <string_view>

#include "playback/ServerSystem.h"

namespace swivex {

// The secret first segment of every path the page's server serves: 128 bits from the system's
// random source, as 32 hexadecimal digits. Another program on the computer cannot guess it, and
// a page elsewhere cannot read it.
class PageToken {
 public:
  static constexpr std::size_t kBytes = 16;

  // False if the system has no random bytes to give.
  bool Make(ServerSystem& system);
  std::string_view View() const { return {digits_, 2 * kBytes}; }

 private:
  char digits_[2 * kBytes + 1] = {};
};

}  // namespace swivex
