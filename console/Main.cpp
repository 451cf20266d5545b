// swivexc, the console companion: the system's files, folders, console and requests to stop are
// created here and handed to the commands.
#include <array>
#include <exception>
#include <string>
#include <vector>

#include "console/Swivexc.h"
#include "console/Utf8Output.h"
#include "platform/SystemConsole.h"
#include "platform/SystemFileIdentities.h"
#include "platform/SystemFiles.h"
#include "platform/SystemFolders.h"
#include "platform/SystemStopRequests.h"
#include "playback/PlayerFileList.h"
#include "playback/PlayerFiles.h"
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
  swivex::SystemFileIdentities identities;
  swivex::SystemStopRequests stops(
      {swivex::console::kExitInterrupted, swivex::console::kExitTerminated});
  std::array<swivex::PlayerFile, SWIVEX_PLAYER_FILE_COUNT> player;
  try {
    // On Windows the manifest makes UTF-8 the process's code page, so that these bytes, like
    // every file name the ANSI API takes, are UTF-8 there too (from Windows 10 1903 on; before,
    // the ANSI code page's).
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    swivex::console::ConsoleSystem system{
        files, folders, console, identities, stops, swivex::FindCarriedPlayerFiles(player)};
    return swivex::console::RunSwivexc(arguments, system);
  } catch (const std::exception& error) {
    swivex::console::WriteUtf8(console, swivex::ConsoleStream::kError,
                               std::string("swivexc: ") + error.what() + "\n");
    return swivex::console::kExitFailure;
  }
}
