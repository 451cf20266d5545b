#pragma once

#include <objbase.h>

namespace swivex::win {

// The calling thread's membership of a single-threaded COM apartment, for the system's COM
// objects that a window thread uses (the taskbar button's progress). When the thread cannot
// join one, COM objects cannot be created on it and their users do without them.
class ComApartment {
 public:
  ComApartment() noexcept
      : joined_(SUCCEEDED(
            ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  ~ComApartment() {
    if (joined_) ::CoUninitialize();
  }

 private:
  bool joined_;
};

}  // namespace swivex::win
