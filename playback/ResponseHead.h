#pragma once

#include <cstdint>
#include <optional>

#include "playback/BoundedText.h"
#include "playback/ByteRange.h"

namespace swivex {

// What a response's head says. Every response forbids caching (the address lives as long as
// the stub) and sniffing (a file beside the projector is never run as a page).
struct ResponseHead {
  int status = 200;
  const char* contentType = nullptr;  // none for a response without a body
  std::uint64_t contentLength = 0;
  bool gzip = false;  // the body is the gzip bytes of the file
  bool acceptsRanges = false;
  std::optional<ByteSpan> part = std::nullopt;            // 206: the span sent
  std::optional<std::uint64_t> wholeSize = std::nullopt;  // 206 and 416: the size of the whole file
  bool eventStream = false;  // no length: the body lasts as long as the connection
  bool close = false;        // the connection ends after this response
};

// The status line and headers, ending with the blank line.
void WriteResponseHead(const ResponseHead& head, BoundedText& text);

// The reason phrase of the statuses the server sends.
const char* ReasonPhrase(int status);

}  // namespace swivex
