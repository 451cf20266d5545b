// A small window that does what the driver has to cope with in Swivex: an open-file dialog owned
// by the window, a stop message box, the clipboard and a keyboard shortcut. The driver's own
// tests run against it.
#include <windows.h>
// After windows.h, which it needs.
#include <commdlg.h>

#include "tests/e2e/driver-target/DriverTargetIds.h"

namespace {

using namespace swivex::e2e::target;

void AskForFile(HWND window) {
  char file[MAX_PATH] = {};
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = window;
  dialog.lpstrFilter = "Text file (*.txt)\0*.txt\0";
  dialog.lpstrFile = file;
  dialog.nMaxFile = sizeof file;
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING;
  if (::GetOpenFileNameA(&dialog)) ::SetDlgItemTextA(window, kPathField, file);
}

void CopyText(HWND window) {
  if (!::OpenClipboard(window)) return;
  ::EmptyClipboard();
  const char text[] = "copied by the target";
  if (HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, sizeof text)) {
    ::CopyMemory(::GlobalLock(memory), text, sizeof text);
    ::GlobalUnlock(memory);
    if (!::SetClipboardData(CF_TEXT, memory)) ::GlobalFree(memory);
  }
  ::CloseClipboard();
}

void OnCommand(HWND window, int id) {
  switch (id) {
    case kOpenButton:
      AskForFile(window);
      break;
    case kFailButton:
      ::MessageBoxA(window, kFailureText, kCaption, MB_OK | MB_ICONSTOP);
      break;
    case kCopyButton:
      CopyText(window);
      break;
    case kQuitCommand:
      ::DestroyWindow(window);
      break;
  }
}

void CreateControls(HWND window) {
  const auto instance = ::GetModuleHandleA(nullptr);
  const auto child = [&](const char* className, const char* text, DWORD style, int x, int id) {
    ::CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, x, 10, 90, 25, window,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  };
  child("Button", "Open", BS_PUSHBUTTON, 10, kOpenButton);
  child("Button", "Fail", BS_PUSHBUTTON, 110, kFailButton);
  child("Button", "Copy", BS_PUSHBUTTON, 210, kCopyButton);
  child("Edit", "", WS_BORDER | ES_AUTOHSCROLL, 310, kPathField);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      CreateControls(window);
      return 0;
    case WM_COMMAND:
      OnCommand(window, LOWORD(wParam));
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClassName;
  ::RegisterClassA(&windowClass);
  HWND window = ::CreateWindowExA(0, kClassName, kCaption, WS_OVERLAPPEDWINDOW, 100, 100, 520, 120,
                                  nullptr, nullptr, instance, nullptr);
  ACCEL quit{FCONTROL | FVIRTKEY, 'Q', kQuitCommand};
  HACCEL accelerators = ::CreateAcceleratorTableA(&quit, 1);
  ::ShowWindow(window, show);
  MSG message;
  while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (::TranslateAcceleratorA(window, accelerators, &message)) continue;
    if (::IsDialogMessageA(window, &message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
  ::DestroyAcceleratorTable(accelerators);
  return 0;
}
