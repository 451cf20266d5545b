#include "playback/PlayerPage.h"

#include "playback/PageRoutes.h"
#include "playback/TextTemplate.h"

namespace swivex {

namespace {

// The page of either program, with places for the title (HTML-escaped), the page's script policy,
// the words shown when the player cannot start, the stream's name (none on a web server), the
// player's unmute overlay, the player's settings besides those that both pages share, the movie's
// address (URL-encoded), the movie's volume and the script of the page's own. The shared
// settings: play at once, no splash screen, bars on black where the window's shape is not the
// movie's, and no "javascript:" address that the movie opens: the page's policy lets the page's
// own inline script run, and such an address is inline script, so the player turns it into the
// page's own address with an empty fragment. The page is black from its first paint. Its icon, in
// the place of that name, is the program's own where the server has one. The player's licences lie
// beside the page, as one of its files (cmake/Ruffle.cmake): the player's menu takes no items of a
// page's own, so the page names them in its head and links them from the words shown when the
// player cannot start.
constexpr std::string_view kPage = R"html(<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>{{title}}</title>
<link rel="license" href="licences.html">{{icon}}{{policy}}
<style>
html, body { margin: 0; width: 100%; height: 100%; overflow: hidden; background: #000; }
#player, #player > ruffle-player { display: block; width: 100%; height: 100%; }
#problem { display: none; box-sizing: border-box; height: 100%; padding: 2em; color: #eee;
  background: #000; font: 16px/1.5 "Segoe UI", Tahoma, sans-serif; }
#problem h1 { font-size: 20px; font-weight: normal; }
#problem a { color: #9cf; font-size: 13px; }
</style>
</head>
<body>
<div id="player"></div>
<div id="problem" role="alert">
<h1>This movie cannot be played in this browser window.</h1>
<div id="advice">{{problem}}</div><p id="detail"></p>
<p><a href="licences.html">Licences of the Flash player Ruffle</a></p>
</div>
<script>
"use strict";
// The server knows that this page is open while the stream is: a projector stops soon after it
// closes, when this window closes. A worker holds it: a stream held by the page itself would
// keep the page loading for ever in the eyes of tools that wait for the network to go quiet. A
// page on a web server keeps nothing alive.
(function () {
  const name = "{{stream}}";
  if (!name) return;
  const stream = new URL(name, location.href).href;
  try {
    const source = "new EventSource(" + JSON.stringify(stream) + ");";
    new Worker(URL.createObjectURL(new Blob([source], { type: "text/javascript" })));
  } catch (error) {
    new EventSource(stream);
  }
})();
function showProblem(detail) {
  document.getElementById("player").style.display = "none";
  document.getElementById("problem").style.display = "block";
  if (detail) document.getElementById("detail").textContent = "Details: " + detail;
}
window.RufflePlayer = window.RufflePlayer || {};
window.RufflePlayer.config = {
  autoplay: "on",
  unmuteOverlay: "{{unmute}}",
  splashScreen: false,
  letterbox: "on",
  polyfills: false,
  showSwfDownload: false,
  warnOnUnsupportedContent: false,
  urlRewriteRules: [[/^javascript:[\s\S]*$/i, "#"]],{{settings}}
};
</script>
<script src="ruffle.js" onerror="showProblem('the player\'s files could not be loaded.')"></script>
<script>
"use strict";
(function () {
  const movie = "{{movie}}";
  if (!window.RufflePlayer || typeof window.RufflePlayer.newest !== "function") return;
  let player;
  try {
    player = window.RufflePlayer.newest().createPlayer();
  } catch (error) {
    showProblem(String(error));
    return;
  }
  document.getElementById("player").appendChild(player);

  // A movie that the player cannot play, damaged or no movie at all, makes the player give up
  // with a screen of its own: the page shows its words and the player's reason instead. The
  // advice about browsers is for a player that did not start.
  let started = false;
  new MutationObserver(function (changes, observer) {
    const reason = player.shadowRoot.getElementById("panic-body");
    if (!reason) return;
    observer.disconnect();
    if (started) document.getElementById("advice").style.display = "none";
    showProblem(reason.innerText.replace(/\s+/g, " ").trim());
  }).observe(player.shadowRoot, { childList: true, subtree: true });

  // Keys go to the movie without a first click.
  function focusMovie() {
    const inner = player.shadowRoot && player.shadowRoot.querySelector("[tabindex]");
    (inner || player).focus({ preventScroll: true });
  }
  window.addEventListener("focus", focusMovie);
{{script}}
  // The movie is fetched once the player has started, so its volume is set before any sound.
  player.ruffle().load({ url: movie }).then(function () {
    started = true;
    player.ruffle().volume = {{volume}};
    focusMovie();
  }, function (error) {
    showProblem(String(error && error.message ? error.message : error));
  });
})();
</script>
</body>
</html>
)html";

// What the projector's page says when the player cannot start.
constexpr std::string_view kProjectorProblem =
    R"html(<p>The Flash player that the projector carries did not start here. It needs a current web
browser, such as Microsoft Edge, Google Chrome or Mozilla Firefox.</p>
<p>Install or update one of them, make it your default browser, then run the projector again.</p>
)html";

// What the page in a web folder says when the player cannot start: most often it was opened as a
// file, from which a browser loads no player.
constexpr std::string_view kWebProblem =
    R"html(<p>The Flash player Ruffle did not start here. It needs a current web browser, such as
Microsoft Edge, Google Chrome or Mozilla Firefox, and a web server: a page opened as a file
(file://) cannot load it.</p>
)html";

// Both pages take the movie's fscommand calls, which the player hands to a page only with script
// access; that would also let the movie run any script in the page (ExternalInterface.call is
// evaluated as script): the pages' policy forbids evaluated script, so that those calls fail and
// fscommand alone comes through. The player itself evaluates none.
constexpr std::string_view kScriptPolicy = R"html(
<meta http-equiv="Content-Security-Policy" content="script-src 'self' 'unsafe-inline' 'wasm-unsafe-eval' blob:">)html";
constexpr std::string_view kProjectorSettings = R"js(
  allowScriptAccess: true,)js";

// An app window takes the movie's size, within the screen, once that is known. The movie's
// fscommand calls act as a projector acted on them, with names and "true" or "false" in any
// case; a projector's "exec" ran a program, which a movie from anywhere must not: it, and every
// command that a projector did not know, does nothing.
constexpr std::string_view kProjectorScript = R"js(
  player.addEventListener("loadedmetadata", function () {
    const size = player.ruffle().metadata;
    if (!size || !(size.width > 0) || !(size.height > 0)) return;
    const frameWidth = window.outerWidth - window.innerWidth;
    const frameHeight = window.outerHeight - window.innerHeight;
    const scale = Math.min(1, (screen.availWidth - frameWidth) / size.width,
                           (screen.availHeight - frameHeight) / size.height);
    const width = Math.round(size.width * scale) + frameWidth;
    const height = Math.round(size.height * scale) + frameHeight;
    window.resizeTo(width, height);
    // The work area starts beside a taskbar on the left or at the top.
    const left = screen.availLeft || 0;
    const top = screen.availTop || 0;
    window.moveTo(left + Math.max(0, Math.round((screen.availWidth - width) / 2)),
                  top + Math.max(0, Math.round((screen.availHeight - height) / 2)));
    focusMovie();
  });

  // The projector ends at once when told; a window that the browser will not let the page close
  // keeps the movie stopped. The tell is sent even while the page goes.
  function quit() {
    player.ruffle().suspend();
    fetch("tell/quit", { cache: "no-store", keepalive: true }).catch(function () {});
    window.close();
  }

  // Full screen is the whole page's. A request that the browser refuses without the user's action
  // waits for the next click or key; Esc, the browser's way out, drops it. A window that the
  // projector started full screen stays so.
  let fullScreenWanted = null;
  function inFullScreen() {
    return document.fullscreenElement !== null ||
           window.matchMedia("(display-mode: fullscreen)").matches;
  }
  function applyFullScreen() {
    const wanted = fullScreenWanted;
    if (wanted === null) return;
    if (wanted ? inFullScreen() : document.fullscreenElement === null) {
      fullScreenWanted = null;
      return;
    }
    const change = wanted ? document.documentElement.requestFullscreen({ navigationUI: "hide" })
                          : document.exitFullscreen();
    change.then(function () {
      if (fullScreenWanted === wanted) fullScreenWanted = null;
    }, function () {});
  }
  window.addEventListener("keydown", function (event) {
    if (event.key === "Escape") fullScreenWanted = null;
    else applyFullScreen();
  }, true);
  // The player keeps mouse events from following its pointer events: a click is a pointer's.
  // A mouse's press lets a page go full screen, a touch's lifting does.
  for (const kind of ["pointerdown", "pointerup"])
    window.addEventListener(kind, applyFullScreen, true);

  // At its own size the movie keeps its stage's size in the middle of the page, cut where the
  // page is smaller, as a projector showed it; whole pixels keep it sharp.
  let ownSize = false;
  function layOut() {
    const size = player.ruffle().metadata;
    const fixed = ownSize && size && size.width > 0 && size.height > 0;
    player.style.position = fixed ? "absolute" : "";
    player.style.width = fixed ? size.width + "px" : "";
    player.style.height = fixed ? size.height + "px" : "";
    player.style.left = fixed ? Math.round((window.innerWidth - size.width) / 2) + "px" : "";
    player.style.top = fixed ? Math.round((window.innerHeight - size.height) / 2) + "px" : "";
  }
  player.addEventListener("loadedmetadata", layOut);
  window.addEventListener("resize", layOut);

  // Without the menu, the page takes the right click before the player does. The player takes
  // the keys that come while it has the focus; trapped keys come to it wherever the focus was,
  // and the browser does nothing with those that a page may take. Esc, which no page can keep,
  // still leaves full screen.
  let menuShown = true;
  window.addEventListener("contextmenu", function (event) {
    if (menuShown) return;
    event.preventDefault();
    event.stopPropagation();
  }, true);
  let keysTrapped = false;
  window.addEventListener("keydown", function (event) {
    if (!keysTrapped) return;
    focusMovie();
    event.preventDefault();
  }, true);

  // The commands that take "true" or "false"; any other argument leaves things as they are.
  const switches = {
    fullscreen: function (on) {
      fullScreenWanted = on;
      applyFullScreen();
    },
    allowscale: function (on) {
      ownSize = !on;
      layOut();
    },
    showmenu: function (on) { menuShown = on; },
    trapallkeys: function (on) { keysTrapped = on; },
  };
  player.ruffle().addFSCommandHandler(function (command, argument) {
    const name = String(command).trim().toLowerCase();
    const value = String(argument).trim().toLowerCase();
    if (name === "quit") quit();
    else if (Object.prototype.hasOwnProperty.call(switches, name) &&
             (value === "true" || value === "false"))
      switches[name](value === "true");
  });
)js";

// What the screen saver's page says when the player cannot start, for the moments before the
// saver shows its pictures instead.
constexpr std::string_view kSaverProblem =
    R"html(<p>The Flash player that the screen saver carries did not start here. It needs a current
Microsoft Edge or Google Chrome.</p>
)html";

// A screen saver shows no menu and opens no web page: web addresses that the movie asks for and
// the player's own links are refused. Its movie's fscommand calls come to the page as the
// projector's do.
constexpr std::string_view kSaverSettings = R"js(
  contextMenu: "off",
  openUrlMode: "deny",
  allowScriptAccess: true,)js";

// The page tells the screen saver, each thing once, when the movie's first frame is drawn, when
// the user touches a key, a mouse button or the wheel or moves the mouse by more than 8 pixels
// (the saver's own rule), and when the movie calls fscommand("quit"). The player draws a frame
// in each of the browser's frames from its first one after the movie's size is known: two
// frames later one has been drawn.
constexpr std::string_view kSaverScript = R"js(
  const told = {};
  function tell(what) {
    if (told[what]) return;
    told[what] = true;
    fetch("tell/" + what, { cache: "no-store" }).catch(function () {});
  }
  player.addEventListener("loadedmetadata", function () {
    requestAnimationFrame(function () {
      requestAnimationFrame(function () { tell("first-frame"); });
    });
  });
  player.ruffle().addFSCommandHandler(function (command) {
    if (String(command).toLowerCase() === "quit") tell("quit");
  });
  const input = function () { tell("input"); };
  for (const kind of ["keydown", "mousedown", "pointerdown", "wheel"])
    window.addEventListener(kind, input, { capture: true, passive: true });
  let start = null;
  window.addEventListener("mousemove", function (event) {
    const x = event.screenX * window.devicePixelRatio;
    const y = event.screenY * window.devicePixelRatio;
    if (start === null) start = { x: x, y: y };
    else if (Math.abs(x - start.x) > 8 || Math.abs(y - start.y) > 8) input();
  }, { capture: true, passive: true });
  window.addEventListener("contextmenu", function (event) { event.preventDefault(); }, true);
  window.open = function () { return null; };
)js";

void AppendHtmlEscaped(std::string_view text, TextBuffer& page) {
  for (char byte : text) {
    switch (byte) {
      case '&':
        page.Append("&amp;");
        break;
      case '<':
        page.Append("&lt;");
        break;
      case '>':
        page.Append("&gt;");
        break;
      case '"':
        page.Append("&quot;");
        break;
      case '\'':
        page.Append("&#39;");
        break;
      default:
        page.Append(byte);
    }
  }
}

// Every byte but the unreserved ones percent-encoded, so that the address is plain ASCII and
// safe inside a script's string.
void AppendUrlEncoded(std::string_view text, TextBuffer& page) {
  constexpr char kHex[] = "0123456789ABCDEF";
  for (char byte : text) {
    const auto value = static_cast<unsigned char>(byte);
    const bool unreserved = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
                            (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' ||
                            byte == '_' || byte == '~';
    if (unreserved) {
      page.Append(byte);
    } else {
      page.Append('%').Append(kHex[value >> 4]).Append(kHex[value & 15]);
    }
  }
}

// The icon that a projector's server serves beside its page.
constexpr std::string_view kProjectorIcon = R"html(
<link rel="icon" href="icon.ico">)html";

// What tells a projector's page from the same page in a web folder.
struct ProjectorPageParts {
  std::string_view stream;   // the stream held open; none on a web server
  std::string_view problem;  // the words shown when the player cannot start
  std::string_view unmute;   // the player's unmute overlay: "visible" or "hidden"
  std::string_view icon;     // the icon's link; none where nothing serves one
};

bool WriteProjectorPage(std::string_view title, std::string_view movieName,
                        const ProjectorPageParts& parts, TextBuffer& page) {
  const TemplateValue values[] = {
      {"title", title, AppendHtmlEscaped},
      {"icon", parts.icon, AppendAsItIs},
      {"policy", kScriptPolicy, AppendAsItIs},
      {"problem", parts.problem, AppendAsItIs},
      {"stream", parts.stream, AppendAsItIs},
      {"unmute", parts.unmute, AppendAsItIs},
      {"settings", kProjectorSettings, AppendAsItIs},
      {"movie", movieName, AppendUrlEncoded},
      {"script", kProjectorScript, AppendAsItIs},
      {"volume", "1", AppendAsItIs},
  };
  return FillTemplate(kPage, values, page);
}

}  // namespace

bool WritePlayerPage(std::string_view title, std::string_view movieName, PageSound sound,
                     TextBuffer& page) {
  // A click on the overlay lets the sound start where the browser holds it back.
  const std::string_view unmute = sound == PageSound::AfterClick ? "visible" : "hidden";
  return WriteProjectorPage(title, movieName,
                            {.stream = kEventStreamName,
                             .problem = kProjectorProblem,
                             .unmute = unmute,
                             .icon = kProjectorIcon},
                            page);
}

// A browser opens a web page as any other, free to hold its sound back until a click.
bool WriteWebPage(std::string_view title, std::string_view movieName, TextBuffer& page) {
  return WriteProjectorPage(title, movieName,
                            {.stream = "", .problem = kWebProblem, .unmute = "visible", .icon = ""},
                            page);
}

bool WriteSaverPage(std::string_view title, std::string_view movieName, bool sound,
                    TextBuffer& page) {
  const TemplateValue values[] = {
      {"title", title, AppendHtmlEscaped},        {"icon", "", AppendAsItIs},
      {"policy", kScriptPolicy, AppendAsItIs},    {"problem", kSaverProblem, AppendAsItIs},
      {"stream", kEventStreamName, AppendAsItIs}, {"unmute", "hidden", AppendAsItIs},
      {"settings", kSaverSettings, AppendAsItIs}, {"movie", movieName, AppendUrlEncoded},
      {"script", kSaverScript, AppendAsItIs},     {"volume", sound ? "1" : "0", AppendAsItIs},
  };
  return FillTemplate(kPage, values, page);
}

}  // namespace swivex
