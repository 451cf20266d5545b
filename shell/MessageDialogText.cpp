#include "shell/MessageDialogText.h"

namespace swivex {

namespace {

constexpr std::string_view kLineBreak = "\r\n";

std::string Divider() { return std::string(27, '-') + std::string(kLineBreak); }

std::string WithoutAccessKeyMarks(std::string_view caption) {
  std::string plain;
  for (char c : caption) {
    if (c != '&') plain += c;
  }
  return plain;
}

}  // namespace

std::string MessageDialogClipboardText(std::string_view caption, std::string_view text,
                                       const std::vector<std::string>& buttonCaptions) {
  std::string buttons;
  for (const std::string& button : buttonCaptions) buttons += WithoutAccessKeyMarks(button) + "   ";

  std::string result = Divider();
  result.append(caption).append(kLineBreak);
  result += Divider();
  result.append(text).append(kLineBreak);
  result += Divider();
  result.append(buttons).append(kLineBreak);
  result += Divider();
  return result;
}

}  // namespace swivex
