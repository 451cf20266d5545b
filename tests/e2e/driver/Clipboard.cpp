#include "tests/e2e/driver/Clipboard.h"

#include <windows.h>

#include "tests/e2e/driver/Wait.h"

namespace swivex::e2e {

namespace {

// The clipboard, open for as long as the object lives.
class OpenedClipboard {
 public:
  OpenedClipboard() : open_(::OpenClipboard(nullptr) != FALSE) {}
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  ~OpenedClipboard() {
    if (open_) ::CloseClipboard();
  }
  bool IsOpen() const { return open_; }

 private:
  bool open_;
};

// Global memory, locked for as long as the object lives.
class LockedGlobal {
 public:
  explicit LockedGlobal(HGLOBAL memory)
      : memory_(memory), data_(memory ? ::GlobalLock(memory) : nullptr) {}
  LockedGlobal(const LockedGlobal&) = delete;
  LockedGlobal& operator=(const LockedGlobal&) = delete;
  ~LockedGlobal() {
    if (data_) ::GlobalUnlock(memory_);
  }
  template <typename Char>
  const Char* Text() const {
    return static_cast<const Char*>(data_);
  }

 private:
  HGLOBAL memory_;
  void* data_;
};

}  // namespace

namespace {

template <typename Char>
std::optional<std::basic_string<Char>> ClipboardTextAs(UINT format) {
  // Only open the clipboard once text is there: a program under test that opens it to copy
  // while a poll holds it open would fail to copy (and Swivex would report "Cannot open
  // clipboard"). Asking whether text is available needs no opening.
  if (!::IsClipboardFormatAvailable(format)) return std::nullopt;
  OpenedClipboard clipboard;
  if (!clipboard.IsOpen()) return std::nullopt;
  LockedGlobal text(::GetClipboardData(format));
  if (!text.Text<Char>()) return std::nullopt;
  return std::basic_string<Char>(text.Text<Char>());
}

}  // namespace

std::optional<std::string> ClipboardText() { return ClipboardTextAs<char>(CF_TEXT); }

std::optional<std::wstring> ClipboardWideText() { return ClipboardTextAs<wchar_t>(CF_UNICODETEXT); }

void EmptyTheClipboard() {
  WaitUntil(
      [] {
        OpenedClipboard clipboard;
        return clipboard.IsOpen() && ::EmptyClipboard();
      },
      "the clipboard to be emptied");
}

}  // namespace swivex::e2e
