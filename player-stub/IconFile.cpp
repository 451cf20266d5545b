#include "player-stub/IconFile.h"

namespace swivex {

namespace {

constexpr std::size_t kHeaderSize = 6;
constexpr std::size_t kGroupEntrySize = 14;
constexpr std::size_t kFileEntrySize = 16;
// The fields that a group's entry and a file's share: the image's size, colours, planes, bits
// and length in bytes.
constexpr std::size_t kSharedFields = 12;
constexpr std::uint16_t kIconType = 1;

std::uint16_t Le16(const unsigned char* bytes) {
  return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
}

void PutLe32(char* at, std::uint32_t value) {
  for (int byte = 0; byte < 4; ++byte) at[byte] = static_cast<char>(value >> (8 * byte));
}

}  // namespace

std::size_t WriteIconFile(std::span<const unsigned char> group, IconImages& images,
                          std::span<char> out) {
  if (group.size() < kHeaderSize || Le16(group.data()) != 0 || Le16(group.data() + 2) != kIconType)
    return 0;
  const std::size_t count = Le16(group.data() + 4);
  if (count == 0 || group.size() - kHeaderSize < count * kGroupEntrySize) return 0;
  std::size_t offset = kHeaderSize + count * kFileEntrySize;
  if (offset > out.size()) return 0;
  for (std::size_t at = 0; at < kHeaderSize; ++at) out[at] = static_cast<char>(group[at]);
  for (std::size_t index = 0; index < count; ++index) {
    const unsigned char* entry = group.data() + kHeaderSize + index * kGroupEntrySize;
    const std::span<const unsigned char> image = images.Image(Le16(entry + kSharedFields));
    if (image.empty() || image.size() > out.size() - offset) return 0;
    char* fileEntry = out.data() + kHeaderSize + index * kFileEntrySize;
    for (std::size_t at = 0; at < kSharedFields; ++at) fileEntry[at] = static_cast<char>(entry[at]);
    // The image's own length, which the directory's merely repeats.
    PutLe32(fileEntry + 8, static_cast<std::uint32_t>(image.size()));
    PutLe32(fileEntry + kSharedFields, static_cast<std::uint32_t>(offset));
    for (const unsigned char byte : image) out[offset++] = static_cast<char>(byte);
  }
  return offset;
}

}  // namespace swivex
