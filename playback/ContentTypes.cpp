#include "playback/ContentTypes.h"

#include "playback/HttpText.h"

namespace swivex {

namespace {

struct KnownType {
  std::string_view extension;
  const char* contentType;
};

// No HTML, script or style sheet: the server's origin is the page's, and a file that happens to
// lie beside a projector must not run in it.
constexpr KnownType kKnownTypes[] = {
    {"swf", kSwfContentType},     {"xml", "text/xml"},    {"txt", "text/plain"},
    {"json", "application/json"}, {"jpg", "image/jpeg"},  {"jpeg", "image/jpeg"},
    {"png", "image/png"},         {"gif", "image/gif"},   {"mp3", "audio/mpeg"},
    {"wav", "audio/wav"},         {"flv", "video/x-flv"}, {"mp4", "video/mp4"},
};

}  // namespace

const char* ContentTypeOf(std::string_view name) {
  const std::size_t slash = name.rfind('/');
  if (slash != std::string_view::npos) name.remove_prefix(slash + 1);
  const std::size_t dot = name.rfind('.');
  if (dot != std::string_view::npos) {
    const std::string_view extension = name.substr(dot + 1);
    for (const KnownType& known : kKnownTypes)
      if (EqualsIgnoringCase(extension, known.extension)) return known.contentType;
  }
  return "application/octet-stream";
}

}  // namespace swivex
