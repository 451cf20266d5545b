#include "shell/Clipboard.h"

#include <cstring>

#include "common/Exceptions.h"
#include "winsupport/WindowsHandles.h"

namespace swivex {

namespace {

// The clipboard, opened for this program until the object goes.
class OpenedClipboard {
 public:
  explicit OpenedClipboard(HWND owner) {
    if (!::OpenClipboard(owner)) throw Exception("Cannot open clipboard");
  }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  ~OpenedClipboard() { ::CloseClipboard(); }
};

win::UniqueGlobal CopyToGlobalMemory(const std::string& text) {
  win::UniqueGlobal memory(::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1));
  if (!memory) throw Exception("Out of memory");
  void* bytes = ::GlobalLock(memory.Get());
  if (bytes == nullptr) throw Exception("Out of memory");
  std::memcpy(bytes, text.c_str(), text.size() + 1);
  ::GlobalUnlock(memory.Get());
  return memory;
}

}  // namespace

void PutTextOnClipboard(HWND owner, const std::string& text) {
  win::UniqueGlobal memory = CopyToGlobalMemory(text);
  OpenedClipboard clipboard(owner);
  ::EmptyClipboard();
  // Once the clipboard has taken the block, it frees it.
  if (::SetClipboardData(CF_TEXT, memory.Get()) != nullptr) memory.Release();
}

}  // namespace swivex
