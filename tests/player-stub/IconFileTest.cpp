// The program's icon group put together as an .ico file for the page.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "player-stub/IconFile.h"

namespace swivex::testing {
namespace {

using Bytes = std::vector<unsigned char>;

class ImagesById final : public IconImages {
 public:
  explicit ImagesById(std::map<std::uint16_t, Bytes> images) : images_(std::move(images)) {}
  std::span<const unsigned char> Image(std::uint16_t id) override {
    const auto found = images_.find(id);
    if (found == images_.end()) return {};
    return found->second;
  }

 private:
  std::map<std::uint16_t, Bytes> images_;
};

const std::map<std::uint16_t, Bytes> kImages = {{7, {'s', 'e', 'v', 'e', 'n'}}, {9, {'n', 'i'}}};

// A group of two images: 48 x 48 in 32 bits (resource 7), 16 x 16 with 16 colours in 4 bits
// (resource 9). The directory gives the second image's length as 3; the image has 2 bytes.
const Bytes kGroup = {0x00, 0x00, 0x01, 0x00, 0x02, 0x00,                          // header
                      0x30, 0x30, 0x00, 0x00, 0x01, 0x00, 0x20, 0x00, 0x05, 0x00,  // 48 x 48
                      0x00, 0x00, 0x07, 0x00,                                      //
                      0x10, 0x10, 0x10, 0x00, 0x01, 0x00, 0x04, 0x00, 0x03, 0x00,  // 16 x 16
                      0x00, 0x00, 0x09, 0x00};

// The file: the same header, entries of 16 bytes that give each image's offset, the images.
const Bytes kFile = {0x00, 0x00, 0x01, 0x00, 0x02, 0x00,                          // header
                     0x30, 0x30, 0x00, 0x00, 0x01, 0x00, 0x20, 0x00, 0x05, 0x00,  // 48 x 48
                     0x00, 0x00, 0x26, 0x00, 0x00, 0x00,                          // at 38
                     0x10, 0x10, 0x10, 0x00, 0x01, 0x00, 0x04, 0x00, 0x02, 0x00,  // 16 x 16
                     0x00, 0x00, 0x2B, 0x00, 0x00, 0x00,                          // at 43
                     's',  'e',  'v',  'e',  'n',  'n',  'i'};

Bytes Changed(Bytes bytes, std::size_t at, unsigned char value) {
  bytes[at] = value;
  return bytes;
}

struct IconCase {
  const char* what;
  Bytes group;
  std::map<std::uint16_t, Bytes> images;
  std::size_t room;
  Bytes file;  // empty: none is written
};

TEST(IconFile, IsTheGroupsImagesBehindADirectoryOfTheirOffsets) {
  const Bytes one = {0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x20, 0x20, 0x00, 0x00,
                     0x01, 0x00, 0x20, 0x00, 0x02, 0x00, 0x00, 0x00, 0x09, 0x00};
  const Bytes oneFile = {0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x20, 0x20, 0x00, 0x00, 0x01, 0x00,
                         0x20, 0x00, 0x02, 0x00, 0x00, 0x00, 0x16, 0x00, 0x00, 0x00, 'n',  'i'};
  const IconCase cases[] = {
      {"two images", kGroup, kImages, 1000, kFile},
      {"in room that just holds it", kGroup, kImages, kFile.size(), kFile},
      {"in room a byte short", kGroup, kImages, kFile.size() - 1, {}},
      {"in room for the directory alone", kGroup, kImages, 38, {}},
      {"in room a byte short of the directory", kGroup, kImages, 37, {}},
      {"one image", one, kImages, 1000, oneFile},
      {"a missing image", kGroup, {{7, kImages.at(7)}}, 1000, {}},
      {"an empty image", kGroup, {{7, kImages.at(7)}, {9, {}}}, 1000, {}},
      {"a cursor's group", Changed(kGroup, 2, 2), kImages, 1000, {}},
      {"a reserved field that is not 0", Changed(kGroup, 0, 1), kImages, 1000, {}},
      {"no images", Changed(kGroup, 4, 0), kImages, 1000, {}},
      {"an entry cut short", Bytes(kGroup.begin(), kGroup.end() - 1), kImages, 1000, {}},
      {"more entries than there are", Changed(kGroup, 4, 3), kImages, 1000, {}},
      {"a header cut short", Bytes(kGroup.begin(), kGroup.begin() + 5), kImages, 1000, {}},
      {"nothing", {}, kImages, 1000, {}},
  };
  for (const IconCase& tried : cases) {
    ImagesById images(tried.images);
    std::vector<char> out(tried.room, '\x55');
    const std::size_t length = WriteIconFile(tried.group, images, out);
    EXPECT_EQ(Bytes(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(length)), tried.file)
        << tried.what;
  }
}

}  // namespace
}  // namespace swivex::testing
