// Stands in for Microsoft Edge or Google Chrome, registered under App Paths by the test: writes
// its command line to a file named after itself ("msedge-recorder.exe.txt"), then opens the
// page's event stream as the page would and closes it again, as a window that is closed.
#include <windows.h>

#include <string>

#include "tests/playback/HttpClient.h"

int main() {
  char self[MAX_PATH];
  ::GetModuleFileNameA(nullptr, self, sizeof self);
  const std::string commandLine = ::GetCommandLineA();
  const HANDLE file = ::CreateFileA((std::string(self) + ".txt").c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  ::WriteFile(file, commandLine.data(), static_cast<DWORD>(commandLine.size()), &written, nullptr);
  ::CloseHandle(file);

  const std::string prefix = "--app=http://127.0.0.1:";
  const std::size_t at = commandLine.find(prefix);
  if (at == std::string::npos) return 2;
  const std::size_t portStart = at + prefix.size();
  const std::size_t slash = commandLine.find('/', portStart);
  const unsigned port = static_cast<unsigned>(std::stoul(commandLine.substr(portStart)));
  const std::string page = commandLine.substr(slash, commandLine.find(' ', slash) - slash);
  swivex::testing::HttpConnection stream(port);
  stream.Send("GET " + page + "events HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port) +
              "\r\n\r\n");
  return stream.Receive().status == 200 ? 0 : 3;
}
