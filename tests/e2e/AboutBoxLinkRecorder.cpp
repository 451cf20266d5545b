// Stands in for the web browser and the mail program in the About box's link tests: appends its
// command line to the file that SWIVEX_LINK_LOG names, which it inherits from the test through
// Swivex, and ends without showing anything.
#include <windows.h>

#include <fstream>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char log[MAX_PATH] = {};
  if (::GetEnvironmentVariableA("SWIVEX_LINK_LOG", log, sizeof log) == 0) return 1;
  std::ofstream file(log, std::ios::app);
  file << ::GetCommandLineA() << '\n';
  return file ? 0 : 1;
}
