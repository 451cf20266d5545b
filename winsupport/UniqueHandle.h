#pragma once

#include <utility>

namespace swivex::win {

// Owns one handle of the kind that `Traits` describes and releases it on every way out;
// move-only. A traits type names the handle type, its "no handle" value and how it is released:
//
//   struct FileTraits {
//     using Handle = HANDLE;
//     static Handle Empty() noexcept { return INVALID_HANDLE_VALUE; }
//     static void Release(Handle handle) noexcept { ::CloseHandle(handle); }
//   };
//
// Nothing here throws, so programs built without exceptions use it too.
template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() noexcept = default;
  explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { Reset(); }

  Handle Get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return handle_ != Traits::Empty(); }

  // Gives the handle up to a new owner (a window that destroys its menu, the clipboard).
  Handle Release() noexcept { return std::exchange(handle_, Traits::Empty()); }

  void Reset(Handle handle = Traits::Empty()) noexcept {
    const Handle previous = std::exchange(handle_, handle);
    if (previous != Traits::Empty()) Traits::Release(previous);
  }

  // Releases the handle held and returns where a function that reports a new handle through a
  // pointer (RegOpenKeyExA) writes it.
  Handle* Receive() noexcept {
    Reset();
    return &handle_;
  }

 private:
  Handle handle_ = Traits::Empty();
};

}  // namespace swivex::win
