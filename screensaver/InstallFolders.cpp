#include "screensaver/InstallFolders.h"

#include "common/Exceptions.h"
#include "common/FileFailure.h"
#include "common/SystemErrorText.h"
#include "platform/Desktop.h"
#include "platform/Files.h"

namespace swivex {

namespace {

constexpr char kPerUserFolderName[] = "Swivex";

}  // namespace

std::string SystemFolder(Files& files, Desktop& desktop) {
  const PathResult folder = desktop.SystemDirectory();
  // Without it the files would land in the root of the current drive.
  if (folder.error != 0)
    throw Exception("Cannot find the Windows system folder. " +
                    SystemErrorText(folder.error, files));
  return folder.path + files.Syntax().separator;
}

std::string PerUserFolder(Files& files, Desktop& desktop) {
  const PathResult data = desktop.LocalAppDataDirectory();
  if (data.error != 0)
    throw Exception("Cannot find your own folder for program data. " +
                    SystemErrorText(data.error, files));
  const std::string folder = data.path + files.Syntax().separator + kPerUserFolderName;
  if (const ErrorCode error = desktop.CreateFolder(folder))
    throw EFCreateError(FileFailureText("Cannot create folder", folder, error, files));
  return folder + files.Syntax().separator;
}

}  // namespace swivex
