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

  const std::string app = "--app=";
  const std::size_t at = commandLine.find(app);
  if (at == std::string::npos) return 2;
  const std::size_t start = at + app.size();
  const swivex::testing::PageUrl page = swivex::testing::ParsePageUrl(
      commandLine.substr(start, commandLine.find(' ', start) - start));
  if (page.port == 0) return 2;
  WriteFile(std::string(self) + ".html",
            swivex::testing::Request(page.port, "GET", page.base).body);
  const swivex::testing::HttpResponse icon =
      swivex::testing::Request(page.port, "GET", page.base + "icon.ico");
  if (icon.status == 200) WriteFile(std::string(self) + ".ico", icon.body);
  swivex::testing::HttpConnection stream(page.port);
  stream.Send(swivex::testing::GetHead(page.port, page.base + "events"));
  return stream.Receive().status == 200 ? 0 : 3;
}
