// swivexc, the console companion: the system's files, folders and console are created here and
// handed to the commands.
#include <exception>
#include <string>
#include <vector>

#include "console/Swivexc.h"
#include "platform/SystemConsole.h"
#include "platform/SystemFiles.h"
#include "platform/SystemFolders.h"
#ifdef _WIN32
#include "winsupport/SystemDllSearch.h"
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
  swivex::win::LoadDllsFromSystemFolderOnly();
#endif
  swivex::SystemFiles files;
  swivex::SystemFolders folders;
  swivex::SystemConsole console;
  try {
    // On Windows the manifest makes UTF-8 the process's code page, so that these bytes, like
    // every file name the ANSI API takes, are UTF-8 there too.
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    swivex::console::ConsoleSystem system{files, folders, console};
    return swivex::console::RunSwivexc(arguments, system);
  } catch (const std::exception& error) {
    console.Write(swivex::ConsoleStream::kError, std::string("swivexc: ") + error.what() + "\n");
    return swivex::console::kExitFailure;
  }
}
