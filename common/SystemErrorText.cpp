#include "common/SystemErrorText.h"

#include "platform/Files.h"

namespace swivex {

std::string TrimSystemMessage(std::string message) {
  while (!message.empty()) {
    const auto last = static_cast<unsigned char>(message.back());
    if (last > 0x20 && last != '.') break;
    message.pop_back();
  }
  return message;
}

std::string SystemErrorText(ErrorCode error, Files& files) {
  return TrimSystemMessage(files.SystemMessage(error));
}

}  // namespace swivex
