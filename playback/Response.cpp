#include "playback/Response.h"

#include <utility>

#include "playback/ByteRange.h"
#include "playback/ContentTypes.h"

namespace swivex {

namespace {

constexpr char kPageContentType[] = "text/html; charset=utf-8";
constexpr char kEventStreamContentType[] = "text/event-stream";
constexpr char kIconContentType[] = "image/x-icon";

// Statuses after which the connection is not worth keeping: the client is not a page of ours,
// or what it sent cannot be read on from.
bool EndsConnection(int status) {
  return status == 400 || status == 403 || status == 405 || status == 431;
}

std::span<const char> AsChars(std::span<const unsigned char> bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// The file's bytes from `body.offset` on, all `size` of them or the span that a Range asks for.
Response AnswerFile(const HttpRequest& request, FileBody body, std::uint64_t size,
                    const char* contentType) {
  ResponseHead head{.contentType = contentType,
                    .contentLength = size,
                    .acceptsRanges = true,
                    .close = !request.keepAlive};
  ByteSpan span;
  // A ranged request that names no version of the file (If-Range) cannot be checked against
  // ours: it gets every byte.
  const RangeAnswer range = request.range.empty() || request.hasIfRange
                                ? RangeAnswer::Whole
                                : ParseByteRange(request.range, size, span);
  switch (range) {
    case RangeAnswer::Unsatisfiable:
      head.status = 416;
      head.contentType = nullptr;
      head.contentLength = 0;
      head.wholeSize = size;
      return {head, EmptyBody{}};
    case RangeAnswer::Part:
      head.status = 206;
      head.part = span;
      head.wholeSize = size;
      head.contentLength = span.Length();
      body.offset += span.first;
      break;
    case RangeAnswer::Whole:
      break;
  }
  body.left = head.contentLength;
  return {head, std::move(body)};
}

Response AnswerBesideFile(const HttpRequest& request, const ServedPath& path,
                          const ServedContent& content, FileSystem& files) {
  FileHandle opened = kNoFileHandle;
  if (files.OpenBelow(content.address.besideFolder, path.CStr(), opened) != file_errors::kNone)
    return AnswerStatus(404, !request.keepAlive);
  UniqueOpenedFile owned({&files, opened});
  std::uint64_t size = 0;
  if (files.FileSize(opened, size) != file_errors::kNone)
    return AnswerStatus(404, !request.keepAlive);
  return AnswerFile(request, FileBody{.file = owned.Get(), .owned = std::move(owned)}, size,
                    ContentTypeOf(path.View()));
}

Response AnswerPlayerFile(const HttpRequest& request, const PlayerFile& file) {
  ResponseHead head{.contentType = file.contentType, .close = !request.keepAlive};
  if (request.acceptsGzip) {
    head.gzip = true;
    head.contentLength = file.gzip.size();
    return {head, MemoryBody{AsChars(file.gzip)}};
  }
  head.contentLength = PlainSizeOf(file.gzip);
  return {head, InflatedBody{GzipInflater(file.gzip), head.contentLength}};
}

}  // namespace

Response AnswerRequest(const HttpRequest& request, const Route& route, const ServedContent& content,
                       FileSystem& files) {
  const bool close = !request.keepAlive;
  if (route.status != 200) return AnswerStatus(route.status, close || EndsConnection(route.status));
  switch (route.resource) {
    case Resource::Page:
      return {
          {.contentType = kPageContentType, .contentLength = content.page.size(), .close = close},
          MemoryBody{content.page}};
    case Resource::PlayerFile:
      return AnswerPlayerFile(request, content.address.playerFiles[route.playerFile]);
    case Resource::Movie:
      return AnswerFile(request,
                        FileBody{.file = content.projector, .offset = content.movie.offset},
                        content.movie.length, kSwfContentType);
    case Resource::BesideFile:
      return AnswerBesideFile(request, route.path, content, files);
    case Resource::Events:
      return {{.contentType = kEventStreamContentType, .eventStream = true}, HeldStream{}};
    case Resource::Icon:
      if (content.icon.empty()) break;
      return {
          {.contentType = kIconContentType, .contentLength = content.icon.size(), .close = close},
          MemoryBody{content.icon}};
    case Resource::Tell:  // answered by its status, 204
    case Resource::None:
      break;
  }
  return AnswerStatus(404, close);
}

Response AnswerStatus(int status, bool close) {
  return {{.status = status, .close = close}, EmptyBody{}};
}

}  // namespace swivex
