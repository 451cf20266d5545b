#include "ui/ProgressFrm.h"

#include <commctrl.h>

#include <utility>

#include "forms/ControlText.h"
#include "ui/ProgressFrmIds.h"
#include "ui/ProgressFrmLayout.h"
#include "winsupport/Screens.h"

namespace swivex {

namespace {

using namespace progressform;

constexpr DWORD kFormStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kFormExStyle = WS_EX_DLGMODALFRAME;

}  // namespace

TProgressForm::TProgressForm(HINSTANCE instance, std::function<void()> cancel)
    : instance_(instance), cancel_(std::move(cancel)) {}

std::unique_ptr<TProgressForm> TProgressForm::Show(HINSTANCE instance, HWND owner,
                                                   std::function<void()> cancel) {
  std::unique_ptr<TProgressForm> form(new TProgressForm(instance, std::move(cancel)));
  if (!form->CreateWindowOwnedBy(owner)) return nullptr;
  win::CentreOnScreen(form->Handle());
  ::ShowWindow(form->Handle(), SW_SHOW);
  ::SetFocus(form->Control(kCancelButton));
  return form;
}

bool TProgressForm::CreateWindowOwnedBy(HWND owner) {
  // The bar's class is registered by Common Controls on request only.
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_PROGRESS_CLASS};
  if (!::InitCommonControlsEx(&controls)) return false;
  if (!RegisterWindowClass(instance_, kClassName, ::LoadCursorA(nullptr, IDC_ARROW))) return false;
  scale_ = ScaleForm(ProgressFormLayout());
  const SIZE client = ScaledClientSize(ProgressFormLayout(), scale_);
  RECT frame{0, 0, client.cx, client.cy};
  ::AdjustWindowRectEx(&frame, kFormStyle, FALSE, kFormExStyle);
  return ::CreateWindowExA(kFormExStyle, kClassName, kProgressFormCaption, kFormStyle, 0, 0,
                           frame.right - frame.left, frame.bottom - frame.top, owner, nullptr,
                           instance_, this) != nullptr;
}

LRESULT TProgressForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      controlFonts_ = CreateControls(Handle(), ProgressFormLayout(), scale_);
      ::SendMessageA(Control(kProgressBar), PBM_SETRANGE32, 0, 100);
      return 0;
    case WM_COMMAND:
      // Enter reaches a window that is not a dialog as IDOK; Cancel is its only button.
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == kCancelButton) CancelButtonClick();
      return 0;
    case WM_CLOSE:
      CancelButtonClick();
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return background_.ColourControl(reinterpret_cast<HDC>(wParam),
                                       ::GetSysColor(COLOR_WINDOWTEXT));
    case WM_ERASEBKGND:
      background_.Paint(Handle(), reinterpret_cast<HDC>(wParam));
      return 1;
    default:
      return ::DefWindowProcA(Handle(), message, wParam, lParam);
  }
}

void TProgressForm::ShowMovie(const std::string& name) {
  SetControlText(Control(kMovieName), name);
  ShowPercent(0);
}

void TProgressForm::ShowFileCount(std::size_t number, std::size_t count) {
  SetControlText(Control(kFileCount),
                 count > 1 ? std::to_string(number) + " of " + std::to_string(count) : "");
}

void TProgressForm::ShowPercent(int percent) {
  ::SendMessageA(Control(kProgressBar), PBM_SETPOS, static_cast<WPARAM>(percent), 0);
  SetControlText(Control(kPercent), std::to_string(percent) + "%");
}

// A cancel takes effect before the conversion's next piece; meanwhile the button cannot be
// pressed again.
void TProgressForm::CancelButtonClick() {
  if (::IsWindowEnabled(Control(kCancelButton))) cancel_();
}

void TProgressForm::ShowCancelling() {
  // The focus leaves the button before it is greyed, so that the keyboard still reaches the window.
  ::SetFocus(Handle());
  ::EnableWindow(Control(kCancelButton), FALSE);
}

}  // namespace swivex
