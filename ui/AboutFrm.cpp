#include "ui/AboutFrm.h"

#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <utility>

#include "common/Exceptions.h"
#include "forms/ControlText.h"
#include "forms/LayoutScaling.h"
#include "platform/AnsiText_win.h"
#include "platform/Files.h"
#include "resources/about/AboutResources.h"
#include "shell/ModalScope.h"
#include "ui/AboutFrmIds.h"
#include "ui/AboutFrmLayout.h"
#include "ui/AboutMemoryFigures.h"
#include "ui/FileVersion.h"
#include "ui/JpegResource.h"
#include "winsupport/GdiScopes.h"
#include "winsupport/Screens.h"
#include "winsupport/TopDownBitmap.h"

namespace swivex {

namespace {

using namespace aboutform;

constexpr COLORREF kLinkColour = RGB(0, 0, 255);
// A dialog border: fixed size, a close button and no others.
constexpr DWORD kFormStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kFormExStyle = WS_EX_DLGMODALFRAME;

bool IsLink(int id) { return id == kHttpTo || id == kMailTo; }

// Labels are sized to their text, as CreateControls sizes them, whenever their text changes.
void SetLabelText(HWND label, const std::string& text) {
  ::SetWindowTextA(label, text.c_str());
  win::WindowDc screen;
  win::SelectedObject font(screen.Get(),
                           reinterpret_cast<HFONT>(::SendMessageA(label, WM_GETFONT, 0, 0)));
  // Measured in UTF-16: DrawTextA would convert through the font's character set's code page,
  // not the program's (UTF-8 where the manifest's setting holds).
  const std::wstring wide = WideFromAnsi(text);
  RECT bounds{};
  ::DrawTextW(screen.Get(), wide.c_str(), static_cast<int>(wide.size()), &bounds,
              DT_CALCRECT | DT_EXPANDTABS | DT_NOPREFIX);
  ::SetWindowPos(label, nullptr, 0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

win::UniqueFont UnderlinedFontLike(HFONT font) {
  LOGFONTA description{};
  ::GetObjectA(font, sizeof(description), &description);
  description.lfUnderline = TRUE;
  return win::UniqueFont(::CreateFontIndirectA(&description));
}

}  // namespace

TAboutForm::TAboutForm(HINSTANCE instance, JpegPicture picture, Files& files)
    : instance_(instance), files_(files), picture_(std::move(picture)) {}

std::unique_ptr<TAboutForm> TAboutForm::Create(HINSTANCE instance, HWND owner, Files& files) {
  std::unique_ptr<TAboutForm> form(new TAboutForm(
      instance, JpegPicture::ReadHeader(JpegResourceBytes(SWIVEX_ABOUT_PICTURE)), files));
  form->CreateWindowOwnedBy(owner);
  return form;
}

void TAboutForm::CreateWindowOwnedBy(HWND owner) {
  if (!RegisterWindowClass(instance_, kClassName, ::LoadCursorA(nullptr, IDC_ARROW))) {
    throw Exception("The About box cannot be created");
  }

  scale_ = ScaleForm(AboutFormLayout());
  underlinedFont_ = UnderlinedFontLike(scale_.font.Get());
  const SIZE client = ScaledClientSize(AboutFormLayout(), scale_);
  RECT frame{0, 0, client.cx, client.cy};
  ::AdjustWindowRectEx(&frame, kFormStyle, FALSE, kFormExStyle);
  if (::CreateWindowExA(kFormExStyle, kClassName, kAboutFormCaption, kFormStyle, 0, 0,
                        frame.right - frame.left, frame.bottom - frame.top, owner, nullptr,
                        instance_, this) == nullptr) {
    throw Exception("The About box cannot be created");
  }
}

LRESULT TAboutForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      OnCreate();
      return 0;
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_CTLCOLORSTATIC:
      return OnControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_ERASEBKGND:
      background_.Paint(Handle(), reinterpret_cast<HDC>(wParam));
      return 1;
    case WM_DRAWITEM:
      OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_MOUSEMOVE:
      // The mouse is over the form itself, so over neither link: a second way of seeing it
      // leave them, for when the leave report comes late or not at all.
      MailToMouseLeave();
      HttpToMouseLeave();
      return 0;
    case WM_CLOSE:
      // Closing ends the modal loop, which hides the box; it is kept for the next opening.
      closed_ = true;
      return 0;
    default:
      return ::DefWindowProcA(Handle(), message, wParam, lParam);
  }
}

void TAboutForm::OnCreate() {
  controlFonts_ = CreateControls(Handle(), AboutFormLayout(), scale_);
  for (const DrawnControlLayout& drawn : AboutDrawnControls()) {
    const Bounds bounds =
        ScaleBounds({drawn.left, drawn.top, drawn.width, drawn.height}, scale_.scale);
    // Drawn here rather than as SS_ETCHEDHORZ, which the system widens by its own border.
    ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_OWNERDRAW, bounds.left,
                      bounds.top, bounds.width, bounds.height, Handle(),
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(drawn.id)), instance_, nullptr);
  }
  for (int link : {kHttpTo, kMailTo}) {
    ::SetWindowSubclass(Control(link), LinkProcedure, link, reinterpret_cast<DWORD_PTR>(this));
  }
  FormCreate();
}

void TAboutForm::FormCreate() {
  // GlobalMemoryStatus counts in 32 bits and caps the total at 4 GiB on larger machines.
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof(status);
  ::GlobalMemoryStatusEx(&status);
  SetLabelText(Control(kPhysMem), FormatKilobytes(status.ullTotalPhys, UserThousandsSeparator()));
  SetLabelText(Control(kFreeRes), FormatMemoryLoad(status.dwMemoryLoad));
}

void TAboutForm::FormShow() {
  SetLabelText(Control(kLabelVersion),
               "Version " + GetFileVersionText(files_.ModuleFileName().path));
}

void TAboutForm::ShowModal() {
  FormShow();
  win::CentreOnScreen(Handle());
  closed_ = false;
  {
    ModalScope modal(Handle());
    ::ShowWindow(Handle(), SW_SHOW);
    RunModalLoop();
  }
  // Hidden only now that the other windows take input again, so that activation goes back to
  // the window that had it rather than to another program.
  ::ShowWindow(Handle(), SW_HIDE);
}

void TAboutForm::RunModalLoop() {
  MSG message{};
  while (!closed_) {
    const BOOL got = ::GetMessageA(&message, nullptr, 0, 0);
    if (got <= 0) {
      // The program is ending: the main loop must see WM_QUIT too.
      if (got == 0) ::PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

void TAboutForm::OnCommand(int id, int notification) {
  if (notification != STN_CLICKED) return;
  if (id == kMailTo) MailToClick();
  if (id == kHttpTo) HttpToClick();
}

void TAboutForm::MailToClick() {
  const std::string mail = "mailto:" + ControlText(Control(kMailTo));
  ::ShellExecuteA(Handle(), nullptr, mail.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void TAboutForm::HttpToClick() {
  const std::string site = "http://" + ControlText(Control(kHttpTo));
  ::ShellExecuteA(Handle(), "open", "IEXPLORE", site.c_str(), nullptr, SW_SHOWNORMAL);
}

void TAboutForm::MailToMouseMove() { Underline(kMailTo, true); }
void TAboutForm::HttpToMouseMove() { Underline(kHttpTo, true); }
void TAboutForm::MailToMouseLeave() { Underline(kMailTo, false); }
void TAboutForm::HttpToMouseLeave() { Underline(kHttpTo, false); }

// A label reports neither the mouse's moves nor its leaving to the form: the links are
// subclassed, and the leaving is asked for (TrackMouseEvent) at every move. Moves over the
// form's own area count as leaving too (WM_MOUSEMOVE of the form).
void TAboutForm::OnLinkMessage(int id, UINT message) {
  if (message == WM_MOUSEMOVE) {
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, Control(id), 0};
    ::TrackMouseEvent(&track);
    id == kMailTo ? MailToMouseMove() : HttpToMouseMove();
  } else if (message == WM_MOUSELEAVE) {
    id == kMailTo ? MailToMouseLeave() : HttpToMouseLeave();
  }
}

void TAboutForm::Underline(int id, bool underlined) {
  const HWND link = Control(id);
  const HFONT font = underlined ? underlinedFont_.Get() : scale_.font.Get();
  if (reinterpret_cast<HFONT>(::SendMessageA(link, WM_GETFONT, 0, 0)) == font) return;
  ::SendMessageA(link, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

LRESULT CALLBACK TAboutForm::LinkProcedure(HWND link, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR id, DWORD_PTR form) {
  switch (message) {
    case WM_SETCURSOR:
      ::SetCursor(::LoadCursorA(nullptr, IDC_HAND));
      return TRUE;
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE:
      RunGuarded([&] {
        reinterpret_cast<TAboutForm*>(form)->OnLinkMessage(static_cast<int>(id), message);
      });
      break;
    case WM_NCDESTROY:
      ::RemoveWindowSubclass(link, LinkProcedure, id);
      break;
    default:
      break;
  }
  return ::DefSubclassProc(link, message, wParam, lParam);
}

LRESULT TAboutForm::OnControlColour(HDC dc, HWND control) const {
  const bool link = IsLink(::GetDlgCtrlID(control));
  return background_.ColourControl(dc, link ? kLinkColour : ::GetSysColor(COLOR_WINDOWTEXT));
}

void TAboutForm::OnDrawItem(const DRAWITEMSTRUCT& item) {
  ::FillRect(item.hDC, &item.rcItem, background_.Brush());
  for (const DrawnControlLayout& drawn : AboutDrawnControls()) {
    if (static_cast<UINT>(drawn.id) != item.CtlID) continue;
    drawn.kind == DrawnKind::Picture ? DrawPicture(item) : DrawBevel(item);
  }
}

// An engraved line, two pixels high, along the top edge.
void TAboutForm::DrawBevel(const DRAWITEMSTRUCT& item) {
  RECT area = item.rcItem;
  ::DrawEdge(item.hDC, &area, EDGE_ETCHED, BF_TOP);
}

// The picture is decoded the first time it is drawn and then kept; it is drawn at its own size
// from the control's top-left corner, whatever the control's scaled size.
void TAboutForm::DrawPicture(const DRAWITEMSTRUCT& item) {
  if (pictureFailed_) return;
  pictureFailed_ = true;
  const BgraImage& image = picture_.Decode();
  pictureFailed_ = false;

  const int width = static_cast<int>(image.width);
  const int height = static_cast<int>(image.height);
  const BITMAPINFO bitmap = win::TopDownBitmapInfo(width, height);
  ::StretchDIBits(item.hDC, item.rcItem.left, item.rcItem.top, width, height, 0, 0, width, height,
                  image.pixels.data(), &bitmap, DIB_RGB_COLORS, SRCCOPY);
}

}  // namespace swivex
