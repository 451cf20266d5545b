// Stands in for Microsoft Edge or Google Chrome, registered under App Paths by the test: writes
// its command line to a file named after itself ("msedge-recorder.exe.txt"), fetches the page
// and its icon as the browser would ("...exe.html", "...exe.ico"), then opens the page's event
// stream as the page would and closes it again, as a window that is closed.
#include <windows.h>

#include <string>

#include "tests/playback/HttpClient.h"

namespace {

void WriteFile(const std::string& name, const std::string& bytes) {
  const HANDLE file = ::CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  ::CloseHandle(file);
}

}  // namespace

int main() {
  char self[MAX_PATH];
  ::GetModuleFileNameA(nullptr, self, sizeof self);
  const std::string commandLine = ::GetCommandLineA();
  WriteFile(std::string(self) + ".txt", commandLine);

  const std::string prefix = "--app=http://127.0.0.1:";
  const std::size_t at = commandLine.find(prefix);
  if (at == std::string::npos) return 2;
  const std::size_t portStart = at + prefix.size();
  const std::size_t slash = commandLine.find('/', portStart);
  const unsigned port = static_cast<unsigned>(std::stoul(commandLine.substr(portStart)));
  const std::string page = commandLine.substr(slash, commandLine.find(' ', slash) - slash);
  WriteFile(std::string(self) + ".html", swivex::testing::Request(port, "GET", page).body);
  const swivex::testing::HttpResponse icon =
      swivex::testing::Request(port, "GET", page + "icon.ico");
  if (icon.status == 200) WriteFile(std::string(self) + ".ico", icon.body);
  swivex::testing::HttpConnection stream(port);
  stream.Send("GET " + page + "events HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port) +
              "\r\n\r\n");
  return stream.Receive().status == 200 ? 0 : 3;
}
