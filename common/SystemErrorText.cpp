#include "common/SystemErrorText.h"

#include "platform/Files.h"
#include "winsupport/MessageTrimming.h"

namespace swivex {

std::string TrimSystemMessage(std::string message) {
  message.resize(win::TrimmedMessageLength(message.data(), message.size()));
  return message;
}

std::string SystemErrorText(ErrorCode error, Files& files) {
  return TrimSystemMessage(files.SystemMessage(error));
}

}  // namespace swivex
