// Stands in for the web browser, the mail program and the help viewer in the link and help
// tests: appends its command line, in UTF-8 whatever the code page, to the file that
// SWIVEX_LINK_LOG names, which it inherits from the test through Swivex, and ends without
// showing anything.
#include <windows.h>

#include <fstream>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char log[MAX_PATH] = {};
  if (::GetEnvironmentVariableA("SWIVEX_LINK_LOG", log, sizeof log) == 0) return 1;
  const wchar_t* commandLine = ::GetCommandLineW();
  std::string text(static_cast<std::size_t>(::WideCharToMultiByte(CP_UTF8, 0, commandLine, -1,
                                                                  nullptr, 0, nullptr, nullptr)),
                   '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, commandLine, -1, text.data(), static_cast<int>(text.size()),
                        nullptr, nullptr);
  text.resize(text.size() - 1);
  std::ofstream file(log, std::ios::app);
  file << text << '\n';
  return file ? 0 : 1;
}
