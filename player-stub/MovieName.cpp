#include "player-stub/MovieName.h"

namespace swivex {

namespace {

bool IsSeparator(char byte) { return byte == '\\' || byte == '/' || byte == ':'; }

}  // namespace

void AppendMovieName(StubText& text, const char* path, StubSystem& system) {
  const char* name = path;
  const char* extension = nullptr;
  const char* end = path;
  for (; *end != '\0'; ++end) {
    // The trail byte of a double-byte character may equal "\\" or ".".
    if (system.IsLeadByte(static_cast<unsigned char>(*end)) && end[1] != '\0') {
      ++end;
    } else if (IsSeparator(*end)) {
      name = end + 1;
      extension = nullptr;
    } else if (*end == '.') {
      extension = end;
    } else if (*end == ' ') {
      // As for the shell, "my.movie file" has no extension.
      extension = nullptr;
    }
  }
  if (extension == nullptr) extension = end;
  if (name == extension) text.Append("movie");
  text.Append(name, extension);
}

}  // namespace swivex
