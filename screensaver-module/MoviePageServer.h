#pragma once

#include <windows.h>

#include <memory>
#include <string>

namespace swivex::glowdrift {

// What the saver's page tells, posted to the window given to MoviePageServer (no parameters).
inline constexpr UINT kPageFirstFrameMessage = WM_APP + 1;  // the movie's first frame is drawn
inline constexpr UINT kPageInputMessage = WM_APP + 2;       // a key, button, wheel or real move
inline constexpr UINT kPageQuitMessage = WM_APP + 3;        // the movie called fscommand("quit")

struct SaverPageSettings {
  bool sound = false;  // the movie's sound plays; otherwise the player is muted
};

// Serves the installed movie with the player that the module carries, on a page of its own on
// 127.0.0.1, from a thread of its own, with the same rules as a projector's page but nothing
// beside the movie: the page, the player's files and the movie alone. What the page tells
// reaches `window` as the messages above. Raises an error report if it cannot serve.
class MoviePageServer {
 public:
  MoviePageServer(const std::string& moviePath, SaverPageSettings settings, HWND window);
  MoviePageServer(const MoviePageServer&) = delete;
  MoviePageServer& operator=(const MoviePageServer&) = delete;
  // Stops serving and waits for the thread, within a round of the server.
  ~MoviePageServer();

  // The page's address: "http://127.0.0.1:PORT/TOKEN/".
  const char* Address() const;

 private:
  struct Serving;
  std::unique_ptr<Serving> serving_;
};

}  // namespace swivex::glowdrift
