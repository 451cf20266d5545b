#include "common/FileFailure.h"

#include <utility>

#include "common/SystemErrorText.h"
#include "platform/Files.h"

namespace swivex {

namespace {

std::string_view KindName(FileKind kind) {
  switch (kind) {
    case FileKind::kFolder:
      return "a folder";
    case FileKind::kDevice:
      return "a device";
    case FileKind::kPipe:
      return "a named pipe";
    case FileKind::kSocket:
      return "a socket";
    case FileKind::kLink:
      return "a link";
    case FileKind::kFile:
      break;
  }
  return "a file";
}

}  // namespace

std::string FileFailureText(std::string_view what, const std::string& name, ErrorCode error,
                            Files& files) {
  std::string text(what);
  text.append(" \"").append(PathForMessage(name, files)).append("\". ");
  return text.append(SystemErrorText(error, files));
}

std::string NotAFileText(std::string_view what, const std::string& name, FileKind kind,
                         Files& files) {
  std::string text(what);
  text.append(" \"").append(PathForMessage(name, files)).append("\". It is ");
  return text.append(KindName(kind)).append(", not a file");
}

std::string PathForMessage(const std::string& name, Files& files) {
  PathResult full = files.FullPathName(name);
  return full.error == 0 ? std::move(full.path) : name;
}

}  // namespace swivex
