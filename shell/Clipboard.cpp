#include "shell/Clipboard.h"

#include <cstring>
#include <string>
#include <utility>

#include "common/Exceptions.h"
#include "platform/AnsiText_win.h"
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

win::UniqueGlobal CopyToGlobalMemory(const void* data, std::size_t size) {
  win::UniqueGlobal memory(::GlobalAlloc(GMEM_MOVEABLE, size));
  if (!memory) throw Exception("Out of memory");
  void* bytes = ::GlobalLock(memory.Get());
  if (bytes == nullptr) throw Exception("Out of memory");
  std::memcpy(bytes, data, size);
  ::GlobalUnlock(memory.Get());
  return memory;
}

// Once the clipboard has taken a block, it frees it.
void Put(UINT format, win::UniqueGlobal memory) {
  if (::SetClipboardData(format, memory.Get()) != nullptr) memory.Release();
}

}  // namespace

void PutTextOnClipboard(HWND owner, const std::string& text) {
  win::UniqueGlobal ansi = CopyToGlobalMemory(text.c_str(), text.size() + 1);
  // The system would make CF_UNICODETEXT from CF_TEXT through the code page of the keyboard's
  // locale, not the program's: under the UTF-8 code page that garbles every name in another
  // script.
  const std::wstring wide = WideFromAnsi(text);
  win::UniqueGlobal unicode = CopyToGlobalMemory(wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
  OpenedClipboard clipboard(owner);
  ::EmptyClipboard();
  Put(CF_TEXT, std::move(ansi));
  Put(CF_UNICODETEXT, std::move(unicode));
}

}  // namespace swivex
