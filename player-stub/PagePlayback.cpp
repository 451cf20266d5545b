#include "player-stub/PagePlayback.h"

#include <string_view>

#include "playback/LocalServer.h"
#include "playback/MovieName.h"
#include "playback/PageToken.h"
#include "playback/PlayerPage.h"
#include "player-stub/MovieFacts.h"
#include "player-stub/PageLifetime.h"

namespace swivex {

namespace {

// How long one round of the server waits for its clients before it looks at the time.
constexpr std::uint32_t kRoundMilliseconds = 250;

std::string_view ViewOf(const BoundedText& text) { return {text.CStr(), text.Length()}; }

// The launcher is looked at every round, until the stub ends, so that it is reaped as soon as
// it ends; it is never waited for, as some wait for the browser. Once the page has connected,
// nothing needs its address any more. What the page tells is looked at after the round in which
// it came.
Playback ServeUntilClosed(LocalServer& server, ServerSystem& network, BrowserSystem& browsers) {
  const std::uint64_t openedAt = network.NowMilliseconds();
  while (true) {
    server.Round(kRoundMilliseconds);
    if (server.Streams().everOpened) browsers.ForgetPageAddress();
    const bool quitTold = server.TakeTells().Has(PageTell::Quit);
    const Launcher launcher = browsers.DefaultBrowserLauncher();
    switch (
        PageStateAt(server.Streams(), quitTold, launcher, openedAt, network.NowMilliseconds())) {
      case PageState::Ended:
        return Playback::Played;
      case PageState::NoPage:
        return Playback::NoPage;
      case PageState::NoBrowser:
        return Playback::NoBrowser;
      case PageState::Waiting:
      case PageState::Playing:
        break;
    }
  }
}

}  // namespace

Playback PlayInBrowser(const OwnMovie& own, std::span<const PlayerFile> player,
                       std::span<const char> icon, FileSystem& files, ServerSystem& network,
                       BrowserSystem& browsers, BoundedText& address) {
  PageToken token;
  LocalServer server(network, files);
  unsigned port = 0;
  if (player.empty() || !own.movie || !token.Make(network) || !server.Listen(port))
    return Playback::CannotServe;

  BoundedText title;
  AppendMovieName(title, own.path.CStr(), files);
  BoundedText movieName(title.CStr());
  movieName.Append(".swf");
  BoundedText folder;
  AppendFolderPart(folder, own.path.CStr(), files);
  const PageAddress pageAddress{.token = token.View(),
                                .port = port,
                                .movieName = ViewOf(movieName),
                                .playerFiles = player,
                                .besideFolder = folder.CStr()};
  AppendPageUrl(pageAddress, address);
  const AppWindow window = ReadMovieFacts(own.file.Get(), *own.movie);
  const OpenedPage opened = OpenPageInBrowser(browsers, address.CStr(), window);
  if (opened == OpenedPage::None) return Playback::NoBrowser;

  // Written for the browser that shows it, before the server's first round: the browser's
  // requests wait for that round. Its room holds the page of any projector's name.
  char pageStorage[kPlayerPageCapacity];
  TextBuffer page(pageStorage, sizeof pageStorage);
  const PageSound sound =
      opened == OpenedPage::AppWindow ? PageSound::Plays : PageSound::AfterClick;
  if (!WritePlayerPage(ViewOf(title), ViewOf(movieName), sound, page)) return Playback::CannotServe;
  const ServedContent content{.address = pageAddress,
                              .page = page.View(),
                              .projector = own.file.Get(),
                              .movie = *own.movie,
                              .icon = icon};
  server.Serve(content);
  const Playback playback = ServeUntilClosed(server, network, browsers);
  browsers.ForgetPageAddress();
  return playback;
}

}  // namespace swivex
