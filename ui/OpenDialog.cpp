#include "ui/OpenDialog.h"

#include <cderr.h>
#include <commdlg.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>

#include "common/Exceptions.h"
#include "forms/Placement.h"
#include "shell/ErrorBoundary.h"

namespace swivex {

namespace {

// The name buffer holds MAX_PATH characters with the terminating NUL.
constexpr int kLongestName = MAX_PATH - 1;

std::string DialogFailureText(DWORD error) {
  switch (error) {
    case FNERR_BUFFERTOOSMALL:
      return "The chosen file name is too long. A name of at most " + std::to_string(kLongestName) +
             " characters, folders included, can be opened";
    case FNERR_INVALIDFILENAME:
      return "The chosen file name is not valid";
    default:
      char code[16];
      std::snprintf(code, sizeof code, "0x%04lX", static_cast<unsigned long>(error));
      return std::string("The file dialog failed (error ") + code + ")";
  }
}

}  // namespace

bool OpenDialog::Execute(HWND owner) {
  std::array<char, MAX_PATH + 1> file{};
  std::copy_n(fileName_.begin(), std::min<std::size_t>(fileName_.size(), MAX_PATH), file.begin());

  placedBy_ = ::GetActiveWindow();
  if (placedBy_ == nullptr) placedBy_ = owner;

  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter_;
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = MAX_PATH;
  dialog.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_HIDEREADONLY | OFN_ENABLEHOOK;
  dialog.lCustData = reinterpret_cast<LPARAM>(this);
  dialog.lpfnHook = Hook;
  if (!::GetOpenFileNameA(&dialog)) {
    // Cancelling leaves no error; anything else is a failure of the dialog, not a choice.
    const DWORD error = ::CommDlgExtendedError();
    if (error == 0) return false;
    throw Exception(DialogFailureText(error));
  }
  fileName_ = file.data();
  return true;
}

// The hook runs for the dialog's inner child; the dialog itself is its parent.
UINT_PTR CALLBACK OpenDialog::Hook(HWND child, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    const auto* dialog = reinterpret_cast<const OPENFILENAMEA*>(lParam);
    ::SetWindowLongPtrA(child, DWLP_USER, dialog->lCustData);
  } else if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == CDN_INITDONE) {
    const auto* self = reinterpret_cast<const OpenDialog*>(::GetWindowLongPtrA(child, DWLP_USER));
    if (self != nullptr) RunGuarded([&] { self->Place(::GetParent(child)); });
  }
  return 0;
}

void OpenDialog::Place(HWND dialog) const {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  ::GetMonitorInfoA(::MonitorFromWindow(placedBy_, MONITOR_DEFAULTTONEAREST), &monitor);
  RECT frame{};
  ::GetWindowRect(dialog, &frame);
  const win::ScreenArea area{monitor.rcMonitor.left, monitor.rcMonitor.top, monitor.rcMonitor.right,
                             monitor.rcMonitor.bottom};
  const win::ScreenPoint place =
      OpenDialogPosition(area, frame.right - frame.left, frame.bottom - frame.top);
  ::SetWindowPos(dialog, nullptr, place.x, place.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace swivex
