#include "shell/ErrorBox.h"

#include <windows.h>

#include <string>
#include <utility>

#include "common/Exceptions.h"
#include "shell/Application.h"
#include "shell/DialogCopy.h"
#include "shell/ErrorBoundary.h"
#include "shell/ErrorBoxText.h"
#include "shell/ModalScope.h"
#include "winsupport/WindowsHandles.h"

namespace swivex {

namespace {

bool NoLeadBytes(unsigned char) { return false; }

// The error box is shown from the error boundary, which every callback runs through: a setting
// made once spares threading the lead-byte test through each of them.
LeadByteTest errorBoxLeadBytes = NoLeadBytes;

// The text of the error box on screen, for its Ctrl+C; a box shown from a failed copy stands in
// for the one below it until it closes.
const std::string* shownText = nullptr;

// The system's message box copies its content on Ctrl+C on Windows, not on Wine; this copies
// the same content, in both code forms, everywhere. The keys go to the box's button, so they
// are caught in the box's modal loop.
LRESULT CALLBACK CopyFilter(int code, WPARAM wParam, LPARAM lParam) {
  const MSG& message = *reinterpret_cast<const MSG*>(lParam);
  if (code == MSGF_DIALOGBOX && shownText != nullptr && IsCopyKey(message)) {
    const std::string& text = *shownText;
    RunGuarded([&] { CopyBoxContent(::GetAncestor(message.hwnd, GA_ROOT), text); });
    return 1;
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

void SetErrorBoxLeadByteTest(LeadByteTest isLeadByte) { errorBoxLeadBytes = isLeadByte; }

void ShowErrorBox(const Exception& error) {
  const std::string text = ErrorBoxText(error.Message(), errorBoxLeadBytes);
  const HWND owner = MainWindow();
  ModalScope modal(owner);
  const std::string* below = std::exchange(shownText, &text);
  const win::UniqueHook filter(
      ::SetWindowsHookExA(WH_MSGFILTER, CopyFilter, nullptr, ::GetCurrentThreadId()));
  ::MessageBoxA(owner, text.c_str(), ApplicationTitle().c_str(), MB_OK | MB_ICONSTOP);
  shownText = below;
}

void ErrorBoxPolicy::OnError(const char* what) noexcept { ShowErrorBox(Exception(what)); }

}  // namespace swivex
