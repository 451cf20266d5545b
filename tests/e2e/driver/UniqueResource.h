#pragma once

#include <utility>

namespace swivex::e2e {

// Owns one Win32 resource and releases it with `Release` on every way out; move-only.
template <typename T, auto Release, T Empty = T{}>
class UniqueResource {
 public:
  UniqueResource() = default;
  explicit UniqueResource(T value) : value_(value) {}
  UniqueResource(const UniqueResource&) = delete;
  UniqueResource& operator=(const UniqueResource&) = delete;
  UniqueResource(UniqueResource&& other) noexcept : value_(std::exchange(other.value_, Empty)) {}
  UniqueResource& operator=(UniqueResource&& other) noexcept {
    if (this != &other) {
      Reset();
      value_ = std::exchange(other.value_, Empty);
    }
    return *this;
  }
  ~UniqueResource() { Reset(); }

  T Get() const { return value_; }
  explicit operator bool() const { return value_ != Empty; }
  void Reset() {
    if (value_ != Empty) Release(std::exchange(value_, Empty));
  }

 private:
  T value_ = Empty;
};

}  // namespace swivex::e2e
