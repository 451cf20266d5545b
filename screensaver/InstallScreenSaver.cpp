#include "screensaver/InstallScreenSaver.h"

#include "common/ProgramFolder.h"
#include "platform/Desktop.h"
#include "platform/Files.h"
#include "screensaver/CopyReplacing.h"
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

std::string SystemFolder(Files& files, Desktop& desktop) {
  return desktop.SystemDirectory() + files.Syntax().separator;
}

// Registry names compare without regard to the case of ASCII letters, whatever the code page.
std::string UpperCaseAscii(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

void RegisterModule(const std::string& alias, Registry& registry, Desktop& desktop) {
  RegistryKey settings = RegistryKey::OpenCurrentUser(kDesktopSettingsKey, registry);
  if (UpperCaseAscii(settings.ReadString(kScreenSaverValue)) == UpperCaseAscii(alias)) return;
  settings.WriteString(kScreenSaverValue, alias);
  desktop.AnnounceScreenSaverChange();
}

}  // namespace

void InstallScreenSaver(const std::string& moviePath, Files& files, Registry& registry,
                        Desktop& desktop) {
  const std::string dir = SystemFolder(files, desktop);
  if (!moviePath.empty()) CopyReplacing(moviePath, dir + kInstalledMovieName, files, desktop);
  CopyReplacing(ProgramFolder(files) + kShippedModuleName, dir + kInstalledModuleName, files,
                desktop);
  const std::string alias = dir + kRegisteredModuleName;
  if (desktop.FileExists(alias)) RegisterModule(alias, registry, desktop);
  desktop.StartCommandLine(kScreenSaverPageCommand, kShowNormal);
}

}  // namespace swivex
