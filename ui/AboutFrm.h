#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "forms/FormBackground.h"
#include "forms/FormBuilder.h"
#include "pictures/JpegPicture.h"
#include "shell/ErrorBoundary.h"
#include "winsupport/WindowsHandles.h"

namespace swivex {

class Files;

// The About box: the product's name, the version read from the program's own executable, two
// memory figures of the moment it was created, and two links to the maker. It is created once
// and kept; closing it only hides it.
class TAboutForm : public Window<TAboutForm> {
 public:
  // Reads the About picture's header and creates the box hidden, owned by `owner`; FormCreate
  // runs during creation. Raises an error report if the picture is missing or damaged or the
  // window cannot be created; nothing is left behind then. The version is read from the module
  // that `files` names, each time the box is shown.
  static std::unique_ptr<TAboutForm> Create(HINSTANCE instance, HWND owner, Files& files);

  // Shows the box centred on the screen and returns when it has been closed; the program's
  // other windows are disabled meanwhile. FormShow runs first.
  void ShowModal();

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  TAboutForm(HINSTANCE instance, JpegPicture picture, Files& files);
  void CreateWindowOwnedBy(HWND owner);

  void FormCreate();
  void FormShow();
  void MailToClick();
  void HttpToClick();
  void MailToMouseMove();
  void HttpToMouseMove();
  void MailToMouseLeave();
  void HttpToMouseLeave();

  void OnCreate();
  void OnCommand(int id, int notification);
  void OnLinkMessage(int id, UINT message);
  void Underline(int id, bool underlined);
  LRESULT OnControlColour(HDC dc, HWND control) const;
  void OnDrawItem(const DRAWITEMSTRUCT& item);
  void DrawPicture(const DRAWITEMSTRUCT& item);
  void DrawBevel(const DRAWITEMSTRUCT& item);
  void RunModalLoop();
  HWND Control(int id) const { return ::GetDlgItem(Handle(), id); }

  static LRESULT CALLBACK LinkProcedure(HWND link, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR id, DWORD_PTR form);

  HINSTANCE instance_;
  Files& files_;
  JpegPicture picture_;
  bool pictureFailed_ = false;  // a damaged picture is reported once, not on every paint
  FormScale scale_;
  ControlFonts controlFonts_;
  win::UniqueFont underlinedFont_;  // the links' font while the mouse is over them
  FormBackground background_;
  bool closed_ = false;
};

}  // namespace swivex
