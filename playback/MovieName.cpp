#include "playback/MovieName.h"

namespace swivex {

namespace {

bool IsSeparator(char byte) { return byte == '\\' || byte == '/' || byte == ':'; }

// Steps over the trail byte of a double-byte character, which may equal "\\" or ".".
const char* NextCharacter(const char* at, FileSystem& system) {
  if (system.IsLeadByte(static_cast<unsigned char>(*at)) && at[1] != '\0') return at + 2;
  return at + 1;
}

}  // namespace

void AppendMovieName(BoundedText& text, const char* path, FileSystem& system) {
  const char* name = path;
  const char* extension = nullptr;
  const char* end = path;
  for (; *end != '\0'; end = NextCharacter(end, system)) {
    if (IsSeparator(*end)) {
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

void AppendFolderPart(BoundedText& text, const char* path, FileSystem& system) {
  const char* folderEnd = path;
  for (const char* at = path; *at != '\0'; at = NextCharacter(at, system))
    if (IsSeparator(*at)) folderEnd = at + 1;
  text.Append(path, folderEnd);
}

}  // namespace swivex
