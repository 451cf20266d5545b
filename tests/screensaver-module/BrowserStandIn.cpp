// Stands in for Microsoft Edge or Google Chrome, registered under App Paths by the saver's tests.
// Writes its process id and its arguments as Windows splits its command line, one a line, to a
// file named after itself ("...exe.txt"), then does what GLOWDRIFT_STAND_IN says: "exit" ends at
// once, as a browser that fails; "window" shows a window, as a browser does; "open" hands the
// page's address (the argument after --kiosk, as the saver gives it) on to the system's browser
// with ShellExecuteA, which Wine gives to the program that its WineBrowser setting names. Unless it
// has ended, it stays until it is ended.
#include <windows.h>
// shellapi.h builds on windows.h.
#include <shellapi.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Arguments() {
  int count = 0;
  wchar_t** split = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int index = 0; index < count; ++index) {
    char utf8[4096] = {};
    ::WideCharToMultiByte(CP_UTF8, 0, split[index], -1, utf8, sizeof utf8, nullptr, nullptr);
    arguments.push_back(utf8);
  }
  ::LocalFree(split);
  return arguments;
}

// Written beside, then renamed into place: a test that sees the file sees all of it.
void Record(const std::vector<std::string>& arguments) {
  char self[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, self, sizeof self);
  const std::string record = std::string(self) + ".txt";
  {
    std::ofstream partial(record + ".partial", std::ios::binary | std::ios::trunc);
    partial << ::GetCurrentProcessId() << "\n";
    for (const std::string& argument : arguments) partial << argument << "\n";
  }
  ::MoveFileExA((record + ".partial").c_str(), record.c_str(), MOVEFILE_REPLACE_EXISTING);
}

// The address of the page that the browser is to show; empty if it was given none.
std::string PageAddress(const std::vector<std::string>& arguments) {
  for (std::size_t index = 0; index + 1 < arguments.size(); ++index) {
    if (arguments[index] == "--kiosk") return arguments[index + 1];
  }
  return "";
}

void ShowWindowOfItsOwn() {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = &::DefWindowProcA;
  windowClass.hbrBackground = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
  windowClass.lpszClassName = "GlowdriftTestBrowser";
  ::RegisterClassExA(&windowClass);
  ::CreateWindowExA(0, windowClass.lpszClassName, "Test browser", WS_POPUP | WS_VISIBLE, 0, 0, 640,
                    480, nullptr, nullptr, nullptr, nullptr);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const std::vector<std::string> arguments = Arguments();
  Record(arguments);
  const char* act = std::getenv("GLOWDRIFT_STAND_IN");
  const std::string what = act ? act : "";
  if (what == "exit") return 0;
  if (what == "window") ShowWindowOfItsOwn();
  const std::string address = PageAddress(arguments);
  if (what == "open" && !address.empty())
    ::ShellExecuteA(nullptr, "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  MSG message;
  while (::GetMessageA(&message, nullptr, 0, 0) > 0) ::DispatchMessageA(&message);
  return 0;
}
