#include "tests/e2e/ExpectedTexts.h"

#include <cstring>

#include "tests/e2e/SwivexApp.h"
#include "winsupport/MessageTrimming.h"

namespace swivex::e2e {

std::string TrimmedSystemMessage(DWORD error) {
  char text[1024] = {};
  ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                   text, sizeof text, nullptr);
  return std::string(text, win::TrimmedMessageLength(text, std::strlen(text)));
}

std::string CannotOpenText(const std::string& fullPath, DWORD error) {
  return "Cannot open file \"" + fullPath + "\". " + TrimmedSystemMessage(error) + ".";
}

std::string MessageDialogClipboardText(const std::string& text) {
  const std::string divider = "---------------------------\r\n";
  return divider + swivexui::kTitle + "\r\n" + divider + text + "\r\n" + divider + "OK   \r\n" +
         divider;
}

}  // namespace swivex::e2e
