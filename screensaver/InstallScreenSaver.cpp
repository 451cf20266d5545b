#include "screensaver/InstallScreenSaver.h"

#include "common/ProgramFolder.h"
#include "platform/Platform.h"
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

std::string SystemFolder(Platform& platform) {
  return platform.SystemDirectory() + platform.DirectorySeparator();
}

// Registry names compare without regard to the case of ASCII letters, whatever the code page.
std::string UpperCaseAscii(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

void RegisterModule(const std::string& alias, Platform& platform) {
  RegistryKey desktop = RegistryKey::OpenCurrentUser(kDesktopSettingsKey, platform);
  if (UpperCaseAscii(desktop.ReadString(kScreenSaverValue)) == UpperCaseAscii(alias)) return;
  desktop.WriteString(kScreenSaverValue, alias);
  platform.AnnounceScreenSaverChange();
}

}  // namespace

void InstallScreenSaver(const std::string& moviePath, Platform& platform) {
  const std::string dir = SystemFolder(platform);
  if (!moviePath.empty()) CopyReplacing(moviePath, dir + kInstalledMovieName, platform);
  CopyReplacing(ProgramFolder(platform) + kShippedModuleName, dir + kInstalledModuleName, platform);
  const std::string alias = dir + kRegisteredModuleName;
  if (platform.FileExists(alias)) RegisterModule(alias, platform);
  platform.StartCommandLine(kScreenSaverPageCommand, kShowNormal);
}

void InstallScreenSaver(const std::string& moviePath) {
  InstallScreenSaver(moviePath, SystemPlatform());
}

}  // namespace swivex
