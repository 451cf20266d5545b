#include "screensaver-module/SettingsDialog.h"

#include <stdexcept>

#include "screensaver-module/FailureReport.h"
#include "screensaver-module/Resource.h"
#include "winsupport/ErrorBoundary.h"

namespace swivex::glowdrift {

namespace {

bool IsChecked(HWND dialog, int box) { return ::IsDlgButtonChecked(dialog, box) == BST_CHECKED; }

void Check(HWND dialog, int box, bool checked) {
  ::CheckDlgButton(dialog, box, checked ? BST_CHECKED : BST_UNCHECKED);
}

// The sound belongs to the movie: without the movie there is none to choose.
void EnableSoundChoice(HWND dialog) {
  ::EnableWindow(::GetDlgItem(dialog, IDC_SETTINGS_PLAY_SOUND),
                 IsChecked(dialog, IDC_SETTINGS_PLAY_MOVIE));
}

}  // namespace

bool SettingsDialog::Run(HINSTANCE instance, HWND owner) {
  const INT_PTR result =
      ::DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_SETTINGS), owner, &SettingsDialog::Procedure,
                        reinterpret_cast<LPARAM>(this));
  if (result == -1) throw std::runtime_error("Cannot show the settings dialog.");
  return result == IDOK;
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
  const std::string installed = "Installed now: " + installed_;
  ::SetDlgItemTextA(dialog, IDC_SETTINGS_MOVIE, installed.c_str());
  Check(dialog, IDC_SETTINGS_PLAY_MOVIE, settings_.playMovie);
  Check(dialog, IDC_SETTINGS_PLAY_SOUND, settings_.playSound);
  EnableSoundChoice(dialog);
}

void SettingsDialog::OnCommand(HWND dialog, WORD command) {
  switch (command) {
    case IDC_SETTINGS_PLAY_MOVIE:
      EnableSoundChoice(dialog);
      break;
    case IDOK:
      OnOk(dialog);
      break;
    case IDCANCEL:
      ::EndDialog(dialog, IDCANCEL);
      break;
  }
}

void SettingsDialog::OnOk(HWND dialog) {
  settings_.playMovie = IsChecked(dialog, IDC_SETTINGS_PLAY_MOVIE);
  settings_.playSound = IsChecked(dialog, IDC_SETTINGS_PLAY_SOUND);
  ::EndDialog(dialog, IDOK);
}

}  // namespace swivex::glowdrift
