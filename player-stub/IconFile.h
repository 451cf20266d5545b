#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace swivex {

// The images of a program's icon group, by the resource ids that the group's directory names.
class IconImages {
 public:
  // The image of resource id `id` (RT_ICON); empty when there is none.
  virtual std::span<const unsigned char> Image(std::uint16_t id) = 0;

 protected:
  ~IconImages() = default;
};

// Writes into `out` the .ico file of an icon group: `group` is its directory as a program's
// resources hold it (RT_GROUP_ICON: a 6-byte header, then a 14-byte entry for each image that
// ends with the image's resource id), and `images` has the images. Returns the file's length; 0
// when the directory is damaged or not an icon's, names an image that is missing, or the file
// does not fit in `out`.
std::size_t WriteIconFile(std::span<const unsigned char> group, IconImages& images,
                          std::span<char> out);

}  // namespace swivex
