#include "common/FileFailure.h"

#include <utility>

#include "common/SystemErrorText.h"
#include "platform/Files.h"

namespace swivex {

std::string FileFailureText(std::string_view what, const std::string& name, ErrorCode error,
                            Files& files) {
  std::string text(what);
  text.append(" \"").append(PathForMessage(name, files)).append("\". ");
  return text.append(SystemErrorText(error, files));
}

std::string PathForMessage(const std::string& name, Files& files) {
  PathResult full = files.FullPathName(name);
  return full.error == 0 ? std::move(full.path) : name;
}

}  // namespace swivex
