#include "playback/PageRoutes.h"

#include <charconv>

#include "playback/HttpText.h"

namespace swivex {

namespace {

// "127.0.0.1:PORT" or "localhost:PORT", with this server's port.
bool IsOwnHost(std::string_view host, unsigned port) {
  const std::size_t colon = host.rfind(':');
  if (colon == std::string_view::npos) return false;
  const std::string_view name = host.substr(0, colon);
  const std::string_view digits = host.substr(colon + 1);
  unsigned value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size() || digits[0] == '0')
    return false;
  return value == port && (name == "127.0.0.1" || EqualsIgnoringCase(name, "localhost"));
}

// The path after "/token/", without the query; false when the target does not start so.
bool PathAfterToken(std::string_view target, std::string_view token, std::string_view& rest) {
  target = target.substr(0, target.find('?'));
  if (target.size() < token.size() + 2 || target[0] != '/') return false;
  if (target.substr(1, token.size()) != token || target[token.size() + 1] != '/') return false;
  rest = target.substr(token.size() + 2);
  return true;
}

struct TellName {
  std::string_view path;
  PageTell tell;
};

constexpr TellName kTellNames[] = {{"tell/first-frame", PageTell::FirstFrame},
                                   {"tell/input", PageTell::Input},
                                   {"tell/quit", PageTell::Quit}};

void RouteResource(const PageAddress& address, Route& route) {
  const std::string_view path = route.path.View();
  route.status = 200;
  if (path.empty()) {
    route.resource = Resource::Page;
    return;
  }
  if (path == kEventStreamName) {
    route.resource = Resource::Events;
    return;
  }
  if (path == address.movieName) {
    route.resource = Resource::Movie;
    return;
  }
  if (path == kIconName) {
    route.resource = Resource::Icon;
    return;
  }
  for (std::size_t index = 0; index < address.playerFiles.size(); ++index) {
    if (path != address.playerFiles[index].name) continue;
    route.resource = Resource::PlayerFile;
    route.playerFile = index;
    return;
  }
  for (const TellName& name : kTellNames) {
    if (path != name.path) continue;
    route.status = 204;
    route.resource = Resource::Tell;
    route.tell = name.tell;
    return;
  }
  if (address.besideFolder == nullptr || !IsServablePath(path)) {
    route.status = 404;
    return;
  }
  route.resource = Resource::BesideFile;
}

}  // namespace

void AppendPageUrl(const PageAddress& address, BoundedText& url) {
  url.Append("http://127.0.0.1:")
      .Append(static_cast<std::uint64_t>(address.port))
      .Append("/")
      .Append(address.token.data(), address.token.data() + address.token.size())
      .Append("/");
}

void RouteRequest(const HttpRequest& request, const PageAddress& address, Route& route) {
  route.status = 404;
  route.resource = Resource::None;
  route.namesToken = false;
  if (!IsOwnHost(request.host, address.port)) {
    route.status = 403;
    return;
  }
  if (request.method == Method::Other) {
    route.status = 405;
    return;
  }
  if (request.hasBody) {
    route.status = 400;
    return;
  }
  std::string_view encoded;
  if (!PathAfterToken(request.target, address.token, encoded)) return;
  route.namesToken = true;
  if (route.path.Decode(encoded)) RouteResource(address, route);
}

}  // namespace swivex
