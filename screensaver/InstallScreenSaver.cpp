#include "screensaver/InstallScreenSaver.h"

#include "common/ProgramFolder.h"
#include "platform/Desktop.h"
#include "platform/Files.h"
#include "screensaver/CopyReplacing.h"
#include "screensaver/InstallFolders.h"
#include "screensaver/RegistryKey.h"

namespace swivex {

namespace {

constexpr char kInstalledMovieName[] = "Glowdrift.swf";
constexpr char kShippedModuleName[] = "Glowdrift.dll";
constexpr char kInstalledModuleName[] = "Glowdrift.scr";
// The 8.3 alias that the file system gives "Glowdrift.scr" when no other file holds it; the
// module is registered under it, so only its existence is ever tested.
constexpr char kRegisteredModuleName[] = "GLOWDR~1.SCR";
constexpr char kDesktopSettingsKey[] = "Control Panel\\Desktop";
constexpr char kScreenSaverValue[] = "SCRNSAVE.EXE";
constexpr char kScreenSaverPageCommand[] = "RunDLL32.exe Shell32.dll,Control_RunDLL desk.cpl,,1";
constexpr int kShowNormal = 1;

// Registry names compare without regard to the case of ASCII letters, whatever the code page.
std::string UpperCaseAscii(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

void RegisterModule(const std::string& name, Registry& registry, Desktop& desktop) {
  RegistryKey settings = RegistryKey::OpenCurrentUser(kDesktopSettingsKey, registry);
  if (UpperCaseAscii(settings.ReadString(kScreenSaverValue)) == UpperCaseAscii(name)) return;
  settings.WriteString(kScreenSaverValue, name);
  desktop.AnnounceScreenSaverChange();
}

// An empty movie path keeps the movie that the folder holds.
void CopyInto(const std::string& folder, const std::string& moviePath, const std::string& module,
              Files& files, Desktop& desktop) {
  if (!moviePath.empty()) CopyReplacing(moviePath, folder + kInstalledMovieName, files, desktop);
  CopyReplacing(module, folder + kInstalledModuleName, files, desktop);
}

// False when the folder refuses new files; a movie copied before the refusal stays.
bool CopiedInto(const std::string& folder, const std::string& moviePath, const std::string& module,
                Files& files, Desktop& desktop) {
  try {
    CopyInto(folder, moviePath, module, files, desktop);
    return true;
  } catch (const EFolderRefused&) {
    return false;
  }
}

// Windows starts screen savers by a command line built from the setting, which the short name
// keeps free of blanks (C:\Users\First Last\...); a system without short names keeps the long one.
std::string NameToRegister(const std::string& module, Desktop& desktop) {
  const PathResult shortName = desktop.ShortPathName(module);
  return shortName.error == 0 && !shortName.path.empty() ? shortName.path : module;
}

}  // namespace

void InstallScreenSaver(const std::string& moviePath, Files& files, Registry& registry,
                        Desktop& desktop) {
  const std::string systemFolder = SystemFolder(files, desktop);
  const std::string module = ProgramFolder(files) + kShippedModuleName;
  if (CopiedInto(systemFolder, moviePath, module, files, desktop)) {
    const std::string alias = systemFolder + kRegisteredModuleName;
    if (desktop.FileExists(alias)) RegisterModule(alias, registry, desktop);
  } else {
    // A user without administrator rights: both files go into the user's own folder, where the
    // module finds the movie beside itself.
    const std::string userFolder = PerUserFolder(files, desktop);
    CopyInto(userFolder, moviePath, module, files, desktop);
    RegisterModule(NameToRegister(userFolder + kInstalledModuleName, desktop), registry, desktop);
  }
  desktop.StartCommandLine(kScreenSaverPageCommand, kShowNormal);
}

}  // namespace swivex
