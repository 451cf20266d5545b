#pragma once

#include <cstddef>
#include <cstdint>

namespace swivex {

// Text of bounded length for paths and messages in code that every projector carries, which
// does without the C++ library's strings and exceptions: their runtime would make it, and so
// every projector, ten times larger. Text that does not fit is cut off; the result stays
// zero-terminated.
class BoundedText {
 public:
  static constexpr std::size_t kCapacity = 2048;

  BoundedText() = default;
  explicit BoundedText(const char* text) { Append(text); }

  BoundedText& Append(const char* text) {
    while (*text != '\0' && length_ + 1 < kCapacity) chars_[length_++] = *text++;
    chars_[length_] = '\0';
    return *this;
  }
  // Appends the bytes from `begin` up to `end`.
  BoundedText& Append(const char* begin, const char* end) {
    while (begin != end && length_ + 1 < kCapacity) chars_[length_++] = *begin++;
    chars_[length_] = '\0';
    return *this;
  }
  BoundedText& Append(const BoundedText& text) { return Append(text.CStr()); }
  BoundedText& Append(std::uint64_t number) {
    char digits[24];
    std::size_t count = 0;
    do {
      digits[count++] = static_cast<char>('0' + number % 10);
      number /= 10;
    } while (number != 0);
    while (count > 0 && length_ + 1 < kCapacity) chars_[length_++] = digits[--count];
    chars_[length_] = '\0';
    return *this;
  }
  const char* CStr() const { return chars_; }
  std::size_t Length() const { return length_; }

 private:
  char chars_[kCapacity] = {};
  std::size_t length_ = 0;
};

}  // namespace swivex
