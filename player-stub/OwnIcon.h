#pragma once

#include <cstddef>
#include <span>

namespace swivex {

// Room for the largest icon that a projector serves; a larger one is not served.
inline constexpr std::size_t kMostIconBytes = 1024 * 1024;

// The running program's icon as the bytes of an .ico file: on Windows the first icon group of
// its resources, the one that Explorer shows for it, put together in `storage`; elsewhere the
// program's icon that the stub carries. Empty when there is none.
std::span<const char> FindOwnIcon(std::span<char> storage);

}  // namespace swivex
