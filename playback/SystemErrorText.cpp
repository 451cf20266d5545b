#include "playback/SystemErrorText.h"

#include "winsupport/MessageTrimming.h"

namespace swivex {

void AppendSystemErrorText(BoundedText& text, DWORD error) {
  char message[512];
  const DWORD length = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, error, 0, message, sizeof message, nullptr);
  if (length == 0) {
    text.Append("System error ").Append(static_cast<unsigned long>(error));
    return;
  }
  text.Append(message, message + win::TrimmedMessageLength(message, length));
}

}  // namespace swivex
