#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include "playback/BoundedText.h"
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
  // The folder whose files and subfolders a movie may load from beside itself, ending in its
  // separator (a projector's folder); none serves nothing beside the movie (the screen saver's
  // movie lies in the system folder or in the user's own).
  const char* besideFolder = nullptr;
};

// The name under which the page holds its event stream open.
inline constexpr std::string_view kEventStreamName = "events";
// The name of the program's icon, which the page links as its own.
inline constexpr std::string_view kIconName = "icon.ico";

// What a page tells its server: a GET of "/token/tell/NAME", answered 204 without a body. The
// server's owner takes what came after each round.
enum class PageTell {
  FirstFrame,  // "tell/first-frame": the movie's first frame is drawn
  Input,       // "tell/input": the user touched a key, a button or the wheel, or moved the mouse
  Quit,        // "tell/quit": the movie asked the player to quit
};

// The kinds of tell that have come, each once however often it came.
class PageTells {
 public:
  void Add(PageTell tell) { kinds_ |= Bit(tell); }
  bool Has(PageTell tell) const { return (kinds_ & Bit(tell)) != 0; }

 private:
  static unsigned Bit(PageTell tell) { return 1u << static_cast<unsigned>(tell); }
  unsigned kinds_ = 0;
};

enum class Resource {
  None,        // answered with the status alone
  Page,        // "/token/"
  PlayerFile,  // "/token/ruffle.js" and the files it loads
  Movie,       // "/token/intro.swf", read from the projector
  Events,      // "/token/events", the stream that tells the page is open
  Tell,        // "/token/tell/input" and the other tells: 204
  Icon,        // "/token/icon.ico", the program's icon, if it has one
  BesideFile,  // "/token/sounds/theme.mp3", a file in the projector's folder or below it
};

struct Route {
  int status = 404;
  Resource resource = Resource::None;
  // The path starts with "/token/", whatever it names after it; false when the request was
  // refused before its path was read (403, 405, 400).
  bool namesToken = false;
  std::size_t playerFile = 0;            // which of the player's files
  PageTell tell = PageTell::FirstFrame;  // what the page tells
  ServedPath path;                       // the file beside the projector, relative to its folder
};

// Appends the page's address that a browser opens: "http://127.0.0.1:PORT/TOKEN/".
void AppendPageUrl(const PageAddress& address, BoundedText& url);

// Decides the answer to a request: 403 unless the Host is the server's own address (a page of
// another site must not reach it by DNS rebinding), 405 for methods other than GET and HEAD, 400
// for a request with a body, 404 for a path without the token or one that names nothing served
// (any file beside the movie when the address has no folder for them).
void RouteRequest(const HttpRequest& request, const PageAddress& address, Route& route);

}  // namespace swivex
