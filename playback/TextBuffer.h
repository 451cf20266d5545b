#pragma once

#include <cstddef>
#include <string_view>

namespace swivex {

// Text written into storage that the caller owns, for texts too long for BoundedText (the page).
// Unlike BoundedText it never cuts a text short quietly: Fits() says whether everything went in.
class TextBuffer {
 public:
  TextBuffer(char* storage, std::size_t capacity) : storage_(storage), capacity_(capacity) {}

  TextBuffer& Append(std::string_view text) {
    if (text.size() > capacity_ - length_) {
      fits_ = false;
      return *this;
    }
    for (char byte : text) storage_[length_++] = byte;
    return *this;
  }
  TextBuffer& Append(char byte) { return Append(std::string_view(&byte, 1)); }

  std::string_view View() const { return {storage_, length_}; }
  bool Fits() const { return fits_; }

 private:
  char* storage_;
  std::size_t capacity_;
  std::size_t length_ = 0;
  bool fits_ = true;
};

}  // namespace swivex
