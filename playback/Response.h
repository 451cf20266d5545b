#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <variant>

#include "playback/FileAccess.h"
#include "playback/FileSystem.h"
#include "playback/GzipInflater.h"
#include "playback/HttpRequest.h"
#include "playback/MovieLocation.h"
#include "playback/PageRoutes.h"
#include "playback/ResponseHead.h"

namespace swivex {

// What the server serves, fixed while it runs.
struct ServedContent {
  PageAddress address;
  std::string_view page;
  OpenedFile projector;  // the file that holds the movie, open to read: a projector or a movie
  MovieLocation movie;
  std::span<const char> icon;  // the program's icon as an .ico file; empty when it has none
};

// The bodies that follow a response's head, each with what it needs to be sent a piece at a time.
struct EmptyBody {};
struct MemoryBody {
  std::span<const char> bytes;
};
// Bytes of a file from `offset` on; `owned` closes a file beside the projector once it is sent.
struct FileBody {
  OpenedFile file = {};
  std::uint64_t offset = 0;
  std::uint64_t left = 0;
  UniqueOpenedFile owned = {};
};
// One of the player's files unpacked for a client that does not take gzip.
struct InflatedBody {
  GzipInflater inflater;
  std::uint64_t left = 0;
};
// The page's event stream: nothing is sent, the connection is held for as long as the page lives.
struct HeldStream {};
using ResponseBody = std::variant<EmptyBody, MemoryBody, FileBody, InflatedBody, HeldStream>;

struct Response {
  ResponseHead head;
  ResponseBody body;
};

// The answer to a whole request head that `route` says where to find. Files beside the projector
// are opened through `files`; a HEAD request is answered the same, and its body left unsent by
// the connection.
Response AnswerRequest(const HttpRequest& request, const Route& route, const ServedContent& content,
                       FileSystem& files);

// A status alone, without a body.
Response AnswerStatus(int status, bool close);

}  // namespace swivex
