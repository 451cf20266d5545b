// swf_open_recorder MOVIE: stands in for the user's Flash player. The player-stub tests register
// it for .swf files; it writes the path that it was asked to open into swf_open_recorder.txt
// beside itself, through a temporary name so that a reader never sees half a path.
#include <windows.h>

#include <string>

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  char self[MAX_PATH];
  const DWORD length = ::GetModuleFileNameA(nullptr, self, sizeof self);
  if (length == 0 || length == sizeof self) return 3;
  std::string record(self, length);
  record.replace(record.rfind('.'), std::string::npos, ".txt");
  const std::string partial = record + ".part";

  HANDLE file = ::CreateFileA(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 4;
  const std::string moviePath = argv[1];
  DWORD written = 0;
  const BOOL wrote =
      ::WriteFile(file, moviePath.data(), static_cast<DWORD>(moviePath.size()), &written, nullptr);
  ::CloseHandle(file);
  if (!wrote || written != moviePath.size()) return 5;
  return ::MoveFileExA(partial.c_str(), record.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 6;
}
