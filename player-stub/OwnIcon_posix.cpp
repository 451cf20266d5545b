#include "player-stub/OwnIcon.h"

// The program's icon, put into the stub's read-only data by the build (OwnIcon.S).
extern "C" const char swivex_own_icon_start[];
extern "C" const char swivex_own_icon_end[];

namespace swivex {

// A program here has no icon of its own in its file: the stub carries Swivex's.
std::span<const char> FindOwnIcon(std::span<char>) {
  return {swivex_own_icon_start, swivex_own_icon_end};
}

}  // namespace swivex
