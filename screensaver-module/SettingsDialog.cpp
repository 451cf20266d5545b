#include "screensaver-module/SettingsDialog.h"

#include <stdexcept>

#include "screensaver-module/FailureReport.h"
#include "screensaver-module/Resource.h"
#include "winsupport/ErrorBoundary.h"

namespace swivex::glowdrift {

void SettingsDialog::Run(HINSTANCE instance, HWND owner) {
  const INT_PTR result =
      ::DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_SETTINGS), owner, &SettingsDialog::Procedure,
                        reinterpret_cast<LPARAM>(this));
  if (result == -1) throw std::runtime_error("Cannot show the settings dialog.");
}

INT_PTR CALLBACK SettingsDialog::Procedure(HWND dialog, UINT message, WPARAM wParam,
                                           LPARAM lParam) noexcept {
  if (message == WM_INITDIALOG) ::SetWindowLongPtrA(dialog, DWLP_USER, lParam);
  auto* self = reinterpret_cast<SettingsDialog*>(::GetWindowLongPtrA(dialog, DWLP_USER));
  if (!self) return FALSE;
  INT_PTR result = FALSE;
  if (win::RunGuarded<ReportFailurePolicy>(
          [&] { result = self->HandleMessage(dialog, message, wParam); })) {
    return result;
  }
  ::EndDialog(dialog, IDABORT);
  return TRUE;
}

INT_PTR SettingsDialog::HandleMessage(HWND dialog, UINT message, WPARAM wParam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog(dialog);
      return TRUE;  // the default button gets the focus
    case WM_COMMAND:
      OnCommand(dialog, LOWORD(wParam));
      return TRUE;
  }
  return FALSE;
}

void SettingsDialog::OnInitDialog(HWND dialog) {
  const std::string installed = "Installed now: " + caption_.headline;
  ::SetDlgItemTextA(dialog, IDC_SETTINGS_MOVIE, installed.c_str());
}

void SettingsDialog::OnCommand(HWND dialog, WORD command) {
  if (command == IDOK || command == IDCANCEL) ::EndDialog(dialog, command);
}

}  // namespace swivex::glowdrift
