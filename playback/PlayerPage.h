#pragma once

#include <cstddef>
#include <string_view>

#include "playback/TextBuffer.h"

namespace swivex {

// Room for the page of any projector or screen saver: the page's own text and a title and movie
// address made from a name of up to 2,048 bytes, each byte of which may take six in HTML or
// three in a URL.
inline constexpr std::size_t kPlayerPageCapacity = 32 * 1024;

// Whether the browser that shows the projector's page lets it start the movie's sound.
enum class PageSound {
  Plays,       // an app window started to play sound without a click first
  AfterClick,  // the default browser, which may hold the sound back until the user clicks
};

// Writes the projector's page that plays the movie: titled `title` (the projector's name without
// ".exe"), the movie `movieName` ("intro.swf", served beside the page) filling the window on
// black, playing at once with its sound, or (AfterClick) under the player's overlay that a
// click unmutes while the browser holds the sound back, the window fitted to the movie once its
// size is known, and plain words instead if the player cannot start. The page holds the event
// stream open while it lives. False if it does not fit.
bool WritePlayerPage(std::string_view title, std::string_view movieName, PageSound sound,
                     TextBuffer& page);

// Writes the same page for a web server, which `movieName` lies beside with the player's files:
// without the stream, which only a projector's server holds. False if it does not fit.
bool WriteWebPage(std::string_view title, std::string_view movieName, TextBuffer& page);

// Writes the screen saver's page, the projector's page with the saver's settings and script: the
// movie fills the screen on black, silent unless `sound`, without a menu, opening no web page,
// and the page tells its server when the movie's first frame is drawn, when the user touches the
// keyboard or the mouse, and when the movie asks to quit. False if it does not fit.
bool WriteSaverPage(std::string_view title, std::string_view movieName, bool sound,
                    TextBuffer& page);

}  // namespace swivex
