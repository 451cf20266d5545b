#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace swivex {

// A projector is the player stub, then the movie, then this eight-byte trailer: the marker and
// the movie's length, both unsigned 32-bit little-endian. Only the trailer identifies a
// projector.
inline constexpr std::uint32_t ProjectorMagic = 0xFA123456;
inline constexpr std::size_t kTrailerSize = 8;
// The largest movie whose length the trailer can record.
inline constexpr std::uint64_t kLargestMovie = 0xFFFFFFFF;

using LittleEndian32 = std::array<unsigned char, 4>;

constexpr LittleEndian32 ToLittleEndian(std::uint32_t value) {
  return {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
          static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
}

constexpr std::uint32_t FromLittleEndian(const LittleEndian32& bytes) {
  return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
         static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

}  // namespace swivex
