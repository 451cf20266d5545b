#include "shell/MessageDialog.h"

#include <windows.h>

#include <string_view>
#include <utility>

#include "platform/AnsiText_win.h"
#include "shell/Application.h"
#include "shell/DialogCopy.h"
#include "shell/ErrorBoundary.h"
#include "shell/MessageDialogGeometry.h"
#include "winsupport/GdiScopes.h"
#include "winsupport/Screens.h"
#include "winsupport/WindowsHandles.h"

namespace swivex {

namespace {

constexpr int kTextId = 0xFFFF;  // as in the system's message box
constexpr UINT kTextFormat = DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX;

// One running message dialog.
struct MessageDialog {
  const std::string& text;
  HWND window = nullptr;
  win::UniqueFont font;
};

// The dialog whose Ctrl+C the message filter serves. There is one thread, and a message dialog
// opens no other.
MessageDialog* shownDialog = nullptr;

// A dialog template without controls: the dialog lays itself out when it knows its text.
struct alignas(4) EmptyDialogTemplate {
  DLGTEMPLATE header;
  WORD menu;
  WORD windowClass;
  WORD title;
};

win::UniqueFont MessageFont() {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof(metrics);
  ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  return win::UniqueFont(::CreateFontIndirectA(&metrics.lfMessageFont));
}

// The dialog-unit measure of a font, as the system derives it: the average width of the Latin
// letters and the character height.
DialogUnits UnitsOf(HDC dc) {
  constexpr std::string_view kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  SIZE letters{};
  ::GetTextExtentPoint32A(dc, kLetters.data(), static_cast<int>(kLetters.size()), &letters);
  TEXTMETRICA metrics{};
  ::GetTextMetricsA(dc, &metrics);
  return {(letters.cx / 26 + 1) / 2, metrics.tmHeight};
}

MessageDialogGeometry Arrange(const MessageDialog& dialog) {
  win::WindowDc screen;
  win::SelectedObject font(screen.Get(), dialog.font.Get());
  RECT text{0, 0, ::GetSystemMetrics(SM_CXSCREEN) / 2, 0};
  // Measured in UTF-16: DrawTextA would convert through the font's character set's code page,
  // not the program's (UTF-8 where the manifest's setting holds).
  const std::wstring wide = WideFromAnsi(dialog.text);
  ::DrawTextW(screen.Get(), wide.c_str(), static_cast<int>(wide.size()), &text,
              DT_CALCRECT | kTextFormat);
  return ArrangeMessageDialog(text.right - text.left, text.bottom - text.top,
                              UnitsOf(screen.Get()));
}

HWND AddControl(HWND dialog, const char* className, const char* text, DWORD style, int id,
                const Bounds& bounds, HFONT font) {
  HWND control = ::CreateWindowExA(
      0, className, text, WS_CHILD | WS_VISIBLE | style, bounds.left, bounds.top, bounds.width,
      bounds.height, dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
      reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(dialog, GWLP_HINSTANCE)), nullptr);
  ::SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return control;
}

void SizeToClient(HWND window, int clientWidth, int clientHeight) {
  RECT frame{0, 0, clientWidth, clientHeight};
  ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongPtrA(window, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(::GetWindowLongPtrA(window, GWL_EXSTYLE)));
  ::SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void OnInitDialog(HWND window, MessageDialog& dialog) {
  dialog.window = window;
  ::SetWindowTextA(window, ApplicationTitle().c_str());
  dialog.font = MessageFont();
  const MessageDialogGeometry geometry = Arrange(dialog);
  AddControl(window, "STATIC", dialog.text.c_str(), SS_LEFT | SS_NOPREFIX, kTextId, geometry.text,
             dialog.font.Get());
  HWND ok = AddControl(window, "BUTTON", kOkCaption, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, IDOK,
                       geometry.button, dialog.font.Get());
  SizeToClient(window, geometry.clientWidth, geometry.clientHeight);
  win::CentreOnScreen(window);
  ::SetFocus(ok);
}

bool IsFor(const MSG& message, HWND dialog) {
  return message.hwnd == dialog || ::IsChild(dialog, message.hwnd);
}

// The dialog's modal loop offers every message to this filter before it dispatches it; the
// keys go to the focused button, not to the dialog, so Ctrl+C is caught here.
LRESULT CALLBACK MessageFilter(int code, WPARAM wParam, LPARAM lParam) {
  const MSG& message = *reinterpret_cast<const MSG*>(lParam);
  if (code == MSGF_DIALOGBOX && shownDialog != nullptr && shownDialog->window != nullptr &&
      IsCopyKey(message) && IsFor(message, shownDialog->window)) {
    RunGuarded([] { CopyBoxContent(shownDialog->window, shownDialog->text); });
    return 1;
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

INT_PTR CALLBACK DialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      RunGuarded([&] { OnInitDialog(window, *reinterpret_cast<MessageDialog*>(lParam)); });
      return FALSE;  // the focus is set
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        ::EndDialog(window, LOWORD(wParam));
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

// Makes a dialog the one that the message filter serves while it runs.
class ShownDialog {
 public:
  explicit ShownDialog(MessageDialog& dialog) : previous_(std::exchange(shownDialog, &dialog)) {}
  ShownDialog(const ShownDialog&) = delete;
  ShownDialog& operator=(const ShownDialog&) = delete;
  ~ShownDialog() { shownDialog = previous_; }

 private:
  MessageDialog* previous_;
};

}  // namespace

void ShowMessageDialog(const std::string& text) {
  MessageDialog dialog{text, nullptr, {}};
  ShownDialog shown(dialog);
  win::UniqueHook filter(
      ::SetWindowsHookExA(WH_MSGFILTER, MessageFilter, nullptr, ::GetCurrentThreadId()));
  EmptyDialogTemplate dialogTemplate{};
  dialogTemplate.header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  dialogTemplate.header.dwExtendedStyle = WS_EX_DLGMODALFRAME;
  ::DialogBoxIndirectParamA(::GetModuleHandleA(nullptr), &dialogTemplate.header, MainWindow(),
                            DialogProcedure, reinterpret_cast<LPARAM>(&dialog));
}

}  // namespace swivex
