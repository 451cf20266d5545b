// Swivex: start-up, the main window and the message loop.
#include <windows.h>
// commctrl.h builds on windows.h.
#include <commctrl.h>

#include "app/MessageLoop.h"
#include "app/StartupShow.h"
#include "shell/Application.h"
#include "ui/MainFrm.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);

  swivex::TMainForm mainForm(instance);
  HWND window = mainForm.Create();
  if (window == nullptr) return 1;
  swivex::SetMainWindow(window);
  ::ShowWindow(window, swivex::StartupShowMode(showCommand));
  const int exitCode = swivex::RunMessageLoop(window, mainForm.Accelerators());
  swivex::SetMainWindow(nullptr);
  return exitCode;
}
