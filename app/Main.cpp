// Swivex: start-up, the main window and the message loop.
#include <windows.h>
// commctrl.h builds on windows.h.
#include <commctrl.h>
#include <stdlib.h>

#include <string>
#include <utility>
#include <vector>

#include "app/CommandLineFiles.h"
#include "app/FirstSwivex.h"
#include "app/MessageLoop.h"
#include "app/StartupShow.h"
#include "platform/SystemDesktop.h"
#include "platform/SystemFileIdentities.h"
#include "platform/SystemFiles.h"
#include "platform/SystemRegistry.h"
#include "shell/Application.h"
#include "shell/ErrorBox.h"
#include "ui/MainFrm.h"
#include "winsupport/ComApartment.h"
#include "winsupport/SystemDllSearch.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  swivex::win::LoadDllsFromSystemFolderOnly();
  swivex::win::LoadThemeLibrariesFromSystemFolder();
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS};
  ::InitCommonControlsEx(&controls);
  const swivex::win::ComApartment com;

  // The one place that chooses the system's implementations; everything else is handed them.
  swivex::SystemFiles files;
  swivex::SystemFileIdentities identities;
  swivex::SystemRegistry registry;
  swivex::SystemDesktop desktop;
  swivex::SetErrorBoxLeadByteTest(files.Syntax().isLeadByte);

  // Kept to the end, so that later Swivex programs hand their files to this one.
  swivex::FirstSwivex first;
  std::vector<std::string> startFiles = swivex::CommandLineFiles(__argc, __argv, files);
  if (!startFiles.empty()) {
    startFiles = first.HandOver(std::move(startFiles), files.Syntax());
    if (startFiles.empty()) return 0;  // the first Swivex converts them
  }

  swivex::TMainForm mainForm(instance, files, identities, registry, desktop);
  HWND window = mainForm.Create();
  if (window == nullptr) return 1;
  swivex::SetMainWindow(window);
  ::ShowWindow(window, swivex::StartupShowMode(showCommand));
  mainForm.ConvertFromOutside(std::move(startFiles));
  const int exitCode = swivex::RunMessageLoop(window, mainForm.Accelerators());
  swivex::SetMainWindow(nullptr);
  return exitCode;
}
