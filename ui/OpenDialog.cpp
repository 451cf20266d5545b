#include "ui/OpenDialog.h"

#include <cderr.h>
#include <commdlg.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "common/Exceptions.h"
#include "forms/Placement.h"
#include "shell/ErrorBoundary.h"
#include "winsupport/AnsiPathCapacity.h"

namespace swivex {

namespace {

// A chosen name may have MAX_PATH UTF-16 units with the terminating NUL, in any code page.
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

// The bytes that a name of MAX_PATH UTF-16 units takes at most in the ANSI code page: MAX_PATH
// under a single-byte one, twice that under a double-byte one and three times under UTF-8. Wine's
// dialog measures the name in UTF-16 against nMaxFile and then converts it into the buffer of
// nMaxFile bytes, so a buffer of MAX_PATH bytes would cut a longer ANSI form off unreported.
DWORD NameBufferSize() {
  CPINFO codePage{};
  if (!::GetCPInfo(CP_ACP, &codePage)) return win::kAnsiPathCapacity;
  return MAX_PATH * std::min<DWORD>(codePage.MaxCharSize, win::kAnsiPathCapacity / MAX_PATH);
}

// UTF-16 units in an ANSI name, as the system counts a path's length.
int WideLength(const char* name) {
  return ::MultiByteToWideChar(CP_ACP, 0, name, -1, nullptr, 0) - 1;
}

}  // namespace

bool OpenDialog::Execute(HWND owner) {
  std::vector<char> file(NameBufferSize() + 1, '\0');
  std::copy_n(fileName_.begin(), std::min(fileName_.size(), file.size() - 2), file.begin());

  placedBy_ = ::GetActiveWindow();
  if (placedBy_ == nullptr) placedBy_ = owner;

  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter_;
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size() - 1);
  dialog.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_HIDEREADONLY | OFN_ENABLEHOOK;
  dialog.lCustData = reinterpret_cast<LPARAM>(this);
  dialog.lpfnHook = Hook;
  if (!::GetOpenFileNameA(&dialog)) {
    // Cancelling leaves no error; anything else is a failure of the dialog, not a choice.
    const DWORD error = ::CommDlgExtendedError();
    if (error == 0) return false;
    throw Exception(DialogFailureText(error));
  }
  // With a buffer larger than MAX_PATH the dialog accepts names that no ANSI call would open.
  if (WideLength(file.data()) > kLongestName)
    throw Exception(DialogFailureText(FNERR_BUFFERTOOSMALL));
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
