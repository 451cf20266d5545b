#include "common/SystemErrorText.h"

namespace swivex {

std::string TrimSystemMessage(std::string message) {
  while (!message.empty()) {
    const auto last = static_cast<unsigned char>(message.back());
    if (last > 0x20 && last != '.') break;
    message.pop_back();
  }
  return message;
}

std::string SystemErrorText(ErrorCode error, Platform& platform) {
  return TrimSystemMessage(platform.SystemMessage(error));
}

}  // namespace swivex
