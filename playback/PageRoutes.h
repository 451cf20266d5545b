#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include "playback/HttpRequest.h"
#include "playback/PlayerFiles.h"
#include "playback/ServedPath.h"

namespace swivex {

// What the page's server answers to, fixed when it starts.
struct PageAddress {
  std::string_view token;      // the first segment of every path served
  unsigned port = 0;           // the server's port on 127.0.0.1
  std::string_view movieName;  // "intro.swf": the projector's name with ".swf"
  std::span<const PlayerFile> playerFiles;
};

// The name under which the page holds its event stream open.
inline constexpr std::string_view kEventStreamName = "events";

enum class Resource {
  None,        // answered with the status alone
  Page,        // "/token/"
  PlayerFile,  // "/token/ruffle.js" and the files it loads
  Movie,       // "/token/intro.swf", read from the projector
  Events,      // "/token/events", the stream that tells the page is open
  BesideFile,  // "/token/sounds/theme.mp3", a file in the projector's folder or below it
};

struct Route {
  int status = 404;
  Resource resource = Resource::None;
  // The path starts with "/token/", whatever it names after it; false when the request was
  // refused before its path was read (403, 405, 400).
  bool namesToken = false;
  std::size_t playerFile = 0;  // which of the player's files
  ServedPath path;             // the file beside the projector, relative to its folder
};

// Decides the answer to a request: 403 unless the Host is the server's own address (a page of
// another site must not reach it by DNS rebinding), 405 for methods other than GET and HEAD, 400
// for a request with a body, 404 for a path without the token or one that names nothing served.
void RouteRequest(const HttpRequest& request, const PageAddress& address, Route& route);

}  // namespace swivex
