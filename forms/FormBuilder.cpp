#include "forms/FormBuilder.h"

#include <commctrl.h>

#include <string>

#include "winsupport/GdiScopes.h"

namespace swivex {

namespace {

struct ControlClass {
  const char* name;
  DWORD style;
};

ControlClass ClassOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::PushButton:
      return {"BUTTON", BS_PUSHBUTTON | WS_TABSTOP};
    case ControlKind::GroupBox:
      return {"BUTTON", BS_GROUPBOX | WS_CLIPSIBLINGS};
    case ControlKind::Label:
      return {"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX};
    case ControlKind::Edit:
      return {"EDIT", ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP};
    case ControlKind::ProgressBar:
      return {PROGRESS_CLASSA, 0};
  }
  return {"STATIC", 0};
}

win::UniqueFont CreateFontOfHeight(const char* face, int height, bool bold) {
  return win::UniqueFont(::CreateFontA(
      height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face));
}

// The height of text in a font, as the form measures it: the extent of a digit.
int TextHeight(HDC dc, HFONT font) {
  win::SelectedObject selected(dc, font);
  SIZE extent{};
  ::GetTextExtentPoint32A(dc, "0", 1, &extent);
  return extent.cy;
}

// Captions are written in Windows-1252, as the version block's strings are ("\251" is the
// copyright sign); the program's ANSI code page may be another, UTF-8 where the manifest's
// setting holds.
std::wstring Widened(const char* windows1252) {
  constexpr UINT kWindows1252 = 1252;
  const int length = ::MultiByteToWideChar(kWindows1252, 0, windows1252, -1, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  ::MultiByteToWideChar(kWindows1252, 0, windows1252, -1, wide.data(), length);
  wide.resize(wide.empty() ? 0 : wide.size() - 1);
  return wide;
}

std::string InAnsiCodePage(const std::wstring& text) {
  const int size = static_cast<int>(text.size());
  const int length =
      ::WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string ansi(static_cast<std::size_t>(length), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, text.data(), size, ansi.data(), length, nullptr, nullptr);
  return ansi;
}

// Measured in UTF-16: DrawTextA converts through the code page of the font's character set,
// not the program's, and so measures UTF-8 text of a Western font as Windows-1252.
SIZE TextSize(HDC dc, HFONT font, const std::wstring& text) {
  win::SelectedObject selected(dc, font);
  RECT bounds{};
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &bounds,
              DT_CALCRECT | DT_EXPANDTABS | DT_NOPREFIX);
  return {bounds.right - bounds.left, bounds.bottom - bounds.top};
}

win::UniqueFont OwnFont(HDC dc, const FontLayout& font, const LayoutScale& scale) {
  const int points = ScaledPointSize(font.points, scale);
  return CreateFontOfHeight(font.face, -::MulDiv(points, ::GetDeviceCaps(dc, LOGPIXELSY), 72),
                            font.bold);
}

HWND CreateControl(HWND parent, const ControlLayout& control, const std::string& caption,
                   const Bounds& bounds) {
  const ControlClass controlClass = ClassOf(control.kind);
  return ::CreateWindowExA(0, controlClass.name, caption.c_str(),
                           WS_CHILD | WS_VISIBLE | controlClass.style | control.style, bounds.left,
                           bounds.top, bounds.width, bounds.height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)),
                           reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(parent, GWLP_HINSTANCE)),
                           nullptr);
}

}  // namespace

FormScale ScaleForm(const FormLayout& form) {
  win::WindowDc screen;
  const int height =
      FontHeightForScreen(form.fontHeight, ::GetDeviceCaps(screen.Get(), LOGPIXELSY));
  FormScale scaled{CreateFontOfHeight(form.fontFace, height, false), {}};
  scaled.scale = ScaleForTextHeight(TextHeight(screen.Get(), scaled.font.Get()));
  return scaled;
}

SIZE ScaledClientSize(const FormLayout& form, const FormScale& scale) {
  return {scale.scale.Apply(form.clientWidth), scale.scale.Apply(form.clientHeight)};
}

ControlFonts CreateControls(HWND parent, const FormLayout& form, const FormScale& scale) {
  win::WindowDc screen;
  const std::vector<Bounds> placed = PlaceControls(form, scale.scale);
  ControlFonts ownFonts;
  for (std::size_t index : CreationOrder(form)) {
    const ControlLayout& control = form.controls[index];
    HFONT font = scale.font.Get();
    if (control.font != nullptr) {
      ownFonts.push_back(OwnFont(screen.Get(), *control.font, scale.scale));
      font = ownFonts.back().Get();
    }
    Bounds bounds = placed[index];
    const std::wstring caption = Widened(control.caption);
    if (control.kind == ControlKind::Label && control.width == 0) {
      const SIZE text = TextSize(screen.Get(), font, caption);
      bounds.width = text.cx;
      bounds.height = text.cy;
    }
    HWND created = CreateControl(parent, control, InAnsiCodePage(caption), bounds);
    ::SendMessageA(created, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (control.kind == ControlKind::GroupBox) {
      ::SetWindowPos(created, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }
  return ownFonts;
}

}  // namespace swivex
