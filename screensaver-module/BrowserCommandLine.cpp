#include "screensaver-module/BrowserCommandLine.h"

#include <string_view>

namespace swivex::glowdrift {

namespace {

// An argument as CommandLineToArgvW gives it back: in quotes if it holds a blank, a tab or a
// quote or is empty; in quotes, each quote follows a backslash, and the backslashes that come
// right before a quote (the closing one too) are doubled.
void AppendArgument(std::string& line, std::string_view argument) {
  line += ' ';
  if (!argument.empty() && argument.find_first_of(" \t\"") == std::string_view::npos) {
    line += argument;
    return;
  }
  line += '"';
  std::size_t backslashes = 0;
  for (char c : argument) {
    if (c == '\\') {
      ++backslashes;
    } else {
      if (c == '"') line.append(backslashes + 1, '\\');
      backslashes = 0;
    }
    line += c;
  }
  line.append(backslashes, '\\');
  line += '"';
}

}  // namespace

std::string BrowserCommandLine(const BrowserStart& start) {
  // The program's own name is read up to its closing quote, without escapes: a Windows path
  // holds no quote.
  std::string line = "\"" + start.program + "\"";
  AppendArgument(line, "--kiosk");
  AppendArgument(line, start.address);
  AppendArgument(line, "--no-first-run");
  AppendArgument(line, "--user-data-dir=" + start.profileFolder);
  AppendArgument(line, "--autoplay-policy=no-user-gesture-required");
  // Edge's kiosk is otherwise a public-browsing window with its own bars.
  if (start.browser == AppBrowser::Edge) AppendArgument(line, "--edge-kiosk-type=fullscreen");
  const win::ScreenArea& monitor = start.monitor;
  AppendArgument(line, "--window-position=" + std::to_string(monitor.left) + "," +
                           std::to_string(monitor.top));
  AppendArgument(line, "--window-size=" + std::to_string(monitor.Width()) + "," +
                           std::to_string(monitor.Height()));
  return line;
}

}  // namespace swivex::glowdrift
