#include "playback/PlayerPage.h"

#include "playback/PageRoutes.h"
#include "playback/TextTemplate.h"

namespace swivex {

namespace {

// The page of either program, with places for the title (HTML-escaped), the page's script policy,
// the words shown when the player cannot start, the stream's name, the player's unmute overlay,
// the player's settings besides those that both pages share, the movie's address (URL-encoded),
// the movie's volume and the script of the page's own. The shared settings: play at once, no
// splash screen, bars on black where the window's shape is not the movie's. The page is black
// from its first paint. Its icon is the program's own, where the server has one.
constexpr std::string_view kPage = R"html(<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>{{title}}</title>
<link rel="icon" href="icon.ico">{{policy}}
<style>
html, body { margin: 0; width: 100%; height: 100%; overflow: hidden; background: #000; }
#player, #player > ruffle-player { display: block; width: 100%; height: 100%; }
#problem { display: none; box-sizing: border-box; height: 100%; padding: 2em; color: #eee;
  background: #000; font: 16px/1.5 "Segoe UI", Tahoma, sans-serif; }
#problem h1 { font-size: 20px; font-weight: normal; }
</style>
</head>
<body>
<div id="player"></div>
<div id="problem" role="alert">
<h1>This movie cannot be played in this browser window.</h1>
{{problem}}<p id="detail"></p>
</div>
<script>
"use strict";
// The server knows that this page is open while the stream is: a projector stops soon after it
// closes, when this window closes. A worker holds it: a stream held by the page itself would
// keep the page loading for ever in the eyes of tools that wait for the network to go quiet.
(function () {
  const stream = new URL("{{stream}}", location.href).href;
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
  warnOnUnsupportedContent: false,{{settings}}
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

  // Keys go to the movie without a first click.
  function focusMovie() {
    const inner = player.shadowRoot && player.shadowRoot.querySelector("[tabindex]");
    (inner || player).focus({ preventScroll: true });
  }
  window.addEventListener("focus", focusMovie);
{{script}}
  // The movie is fetched once the player has started, so its volume is set before any sound.
  player.ruffle().load({ url: movie }).then(function () {
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

// An app window takes the movie's size, within the screen, once that is known.
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
    window.moveTo(Math.max(0, Math.round((screen.availWidth - width) / 2)),
                  Math.max(0, Math.round((screen.availHeight - height) / 2)));
    focusMovie();
  });
)js";

// What the screen saver's page says when the player cannot start, for the moments before the
// saver shows its pictures instead.
constexpr std::string_view kSaverProblem =
    R"html(<p>The Flash player that the screen saver carries did not start here. It needs a current
Microsoft Edge or Google Chrome.</p>
)html";

// A screen saver shows no menu and opens no web page: web addresses that the movie asks for and
// the player's own links are refused. The player hands the movie's fscommand calls to the page
// only with script access, which would also let the movie run any script in the page
// (ExternalInterface.call is evaluated as script): the page's policy forbids evaluated script, so
// that those calls fail and fscommand alone comes through. The player itself evaluates none.
constexpr std::string_view kSaverSettings = R"js(
  contextMenu: "off",
  openUrlMode: "deny",
  allowScriptAccess: true,)js";
constexpr std::string_view kSaverPolicy = R"html(
<meta http-equiv="Content-Security-Policy" content="script-src 'self' 'unsafe-inline' 'wasm-unsafe-eval' blob:">)html";

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

}  // namespace

bool WritePlayerPage(std::string_view title, std::string_view movieName, PageSound sound,
                     TextBuffer& page) {
  // A click on the overlay lets the sound start where the browser holds it back.
  const std::string_view unmute = sound == PageSound::AfterClick ? "visible" : "hidden";
  const TemplateValue values[] = {
      {"title", title, AppendHtmlEscaped},
      {"policy", "", AppendAsItIs},
      {"problem", kProjectorProblem, AppendAsItIs},
      {"stream", kEventStreamName, AppendAsItIs},
      {"unmute", unmute, AppendAsItIs},
      {"settings", "", AppendAsItIs},
      {"movie", movieName, AppendUrlEncoded},
      {"script", kProjectorScript, AppendAsItIs},
      {"volume", "1", AppendAsItIs},
  };
  return FillTemplate(kPage, values, page);
}

bool WriteSaverPage(std::string_view title, std::string_view movieName, bool sound,
                    TextBuffer& page) {
  const TemplateValue values[] = {
      {"title", title, AppendHtmlEscaped},         {"policy", kSaverPolicy, AppendAsItIs},
      {"problem", kSaverProblem, AppendAsItIs},    {"stream", kEventStreamName, AppendAsItIs},
      {"unmute", "hidden", AppendAsItIs},          {"settings", kSaverSettings, AppendAsItIs},
      {"movie", movieName, AppendUrlEncoded},      {"script", kSaverScript, AppendAsItIs},
      {"volume", sound ? "1" : "0", AppendAsItIs},
  };
  return FillTemplate(kPage, values, page);
}

}  // namespace swivex
