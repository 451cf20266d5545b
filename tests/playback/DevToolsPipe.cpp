#include "tests/playback/DevToolsPipe.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

#include "tests/support/PollUntil.h"

extern char** environ;

namespace swivex::testing {

namespace {

using namespace std::chrono_literals;

constexpr std::chrono::seconds kPatience{60};

}  // namespace

DevToolsPipe::DevToolsPipe(const std::string& profileFolder) {
  int commands[2];
  int answers[2];
  if (::pipe2(commands, O_CLOEXEC) != 0 || ::pipe2(answers, O_CLOEXEC) != 0)
    throw std::runtime_error("cannot make the DevTools pipes");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, commands[0], 3);
  posix_spawn_file_actions_adddup2(&actions, answers[1], 4);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  const std::string profile = "--user-data-dir=" + profileFolder;
  const char* const arguments[] = {"chromium",
                                   "--headless=new",
                                   "--no-sandbox",
                                   "--disable-gpu",
                                   profile.c_str(),
                                   "--no-first-run",
                                   "--disable-background-networking",
                                   "--disable-component-update",
                                   "--autoplay-policy=no-user-gesture-required",
                                   "--remote-debugging-pipe",
                                   "about:blank",
                                   nullptr};
  const int error = ::posix_spawnp(&process_, "chromium", &actions, nullptr,
                                   const_cast<char* const*>(arguments), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(commands[0]);
  ::close(answers[1]);
  commands_ = commands[1];
  answers_ = answers[0];
  if (error != 0) {
    process_ = -1;
    throw std::runtime_error("cannot start chromium");
  }
}

DevToolsPipe::~DevToolsPipe() {
  if (process_ > 0) {
    Call("Browser.close");
    int status = 0;
    if (!PollUntil([&] { return ::waitpid(process_, &status, WNOHANG) == process_; }, 10s)) {
      ::kill(process_, SIGKILL);
      ::waitpid(process_, &status, 0);
    }
  }
  ::close(commands_);
  ::close(answers_);
}

std::string DevToolsPipe::Call(const std::string& method, const std::string& params,
                               const std::string& session) {
  const int id = nextId_++;
  std::string command = CommandText(id, method, params, session);
  command.push_back('\0');
  for (std::size_t sent = 0; sent < command.size();) {
    const ssize_t written = ::write(commands_, command.data() + sent, command.size() - sent);
    if (written <= 0) return "";
    sent += static_cast<std::size_t>(written);
  }
  const std::string answer = "{\"id\":" + std::to_string(id) + ",";
  const auto deadline = std::chrono::steady_clock::now() + kPatience;
  std::string message;
  while (NextMessage(deadline, message)) {
    if (message.starts_with(answer)) return message;
    if (message.find("\"method\":") != std::string::npos) events_.push_back(message);
  }
  return "";
}

std::string DevToolsPipe::TakeEvent(const std::string& method, const std::string& part,
                                    std::chrono::milliseconds patience) {
  const std::string name = "\"method\":\"" + method + "\"";
  const auto matches = [&](const std::string& event) {
    return event.find(name) != std::string::npos && event.find(part) != std::string::npos;
  };
  for (auto event = events_.begin(); event != events_.end(); ++event) {
    if (!matches(*event)) continue;
    const std::string taken = *event;
    events_.erase(event);
    return taken;
  }
  const auto deadline = std::chrono::steady_clock::now() + patience;
  std::string message;
  while (NextMessage(deadline, message)) {
    if (matches(message)) return message;
    if (message.find("\"method\":") != std::string::npos) events_.push_back(message);
  }
  return "";
}

std::string DevToolsPipe::OpenTab(const std::string& url, int width, int height) {
  const std::string target = JsonString(
      Call("Target.createTarget",
           "{\"url\":\"about:blank\",\"newWindow\":true,\"width\":" + std::to_string(width) +
               ",\"height\":" + std::to_string(height) + "}"),
      "targetId");
  const std::string session = JsonString(
      Call("Target.attachToTarget", "{\"targetId\":\"" + target + "\",\"flatten\":true}"),
      "sessionId");
  if (session.empty()) return "";
  Call("Emulation.setDeviceMetricsOverride",
       "{\"width\":" + std::to_string(width) + ",\"height\":" + std::to_string(height) +
           ",\"deviceScaleFactor\":1,\"mobile\":false}",
       session);
  Call("Network.enable", "{}", session);
  Call("Page.navigate", "{\"url\":\"" + url + "\"}", session);
  return session;
}

std::string DevToolsPipe::Evaluate(const std::string& expression, const std::string& session) {
  std::string quoted = "\"String(";
  for (char c : expression) {
    if (c == '"' || c == '\\') quoted.push_back('\\');
    quoted.push_back(c);
  }
  quoted += ")\"";
  return JsonString(
      Call("Runtime.evaluate", "{\"expression\":" + quoted + ",\"returnByValue\":true}", session),
      "value");
}

long DevToolsPipe::PixelAt(const std::string& session, int x, int y) {
  const std::string shot =
      Call("Page.captureScreenshot",
           "{\"format\":\"png\",\"clip\":{\"x\":" + std::to_string(x) +
               ",\"y\":" + std::to_string(y) + ",\"width\":1,\"height\":1,\"scale\":1}}",
           session);
  return OnePixelColour(FromBase64(JsonString(shot, "data")));
}

bool DevToolsPipe::NextMessage(std::chrono::steady_clock::time_point deadline,
                               std::string& message) {
  std::size_t end;
  while ((end = pending_.find('\0')) == std::string::npos) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    pollfd readable{answers_, POLLIN, 0};
    if (left.count() <= 0 || ::poll(&readable, 1, static_cast<int>(left.count())) <= 0)
      return false;
    char buffer[64 * 1024];
    const ssize_t received = ::read(answers_, buffer, sizeof buffer);
    if (received <= 0) return false;
    pending_.append(buffer, static_cast<std::size_t>(received));
  }
  message = pending_.substr(0, end);
  pending_.erase(0, end + 1);
  return true;
}

}  // namespace swivex::testing
