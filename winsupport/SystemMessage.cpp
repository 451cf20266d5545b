#include "winsupport/SystemMessage.h"

#include "winsupport/WindowsHandles.h"

namespace swivex::win {

std::string SystemMessage(DWORD error) {
  char* text = nullptr;
  const DWORD length = ::FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  const UniqueLocal buffer(text);
  if (length == 0 || text == nullptr) return {};
  return std::string(text, length);
}

}  // namespace swivex::win
