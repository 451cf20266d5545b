#pragma once

#include <windows.h>

#include <memory>

#include "forms/FormBackground.h"
#include "forms/FormBuilder.h"
#include "shell/ErrorBoundary.h"
#include "ui/AboutFrm.h"
#include "ui/OpenDialog.h"
#include "winsupport/WindowsHandles.h"

namespace swivex {

class Files;
class Registry;
class Desktop;

// The program's main window: the three commands as buttons and menu items, the paths of the
// last conversion, "Go", help and exit.
class TMainForm : public Window<TMainForm> {
 public:
  // The commands reach the system through the implementations handed in here, which outlive
  // the window.
  TMainForm(HINSTANCE instance, Files& files, Registry& registry, Desktop& desktop);

  // Creates the window hidden, centred on the desktop, with its controls and menu; FormCreate
  // runs during creation. Returns the window, or null if the system refused to create it.
  HWND Create();
  // The window's keyboard shortcuts, for the message loop.
  HACCEL Accelerators() const { return accelerators_.Get(); }

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void FormCreate();
  void ConvertSWFtoEXEClick();
  void ConvertEXEtoSWFClick();
  void SetasScreenSaver1Click();
  void Button4Click();
  void Contents1Click();
  void Exit1Click();
  void About1Click();

  // A conversion command: pick the source, show the paths, convert and show the result.
  template <typename Conversion>
  void Convert(OpenDialog& dialog, const char* targetExtension, Conversion convert);

  void OnCommand(int id);
  void PressFocusedButton();
  void OnActivate(bool active);
  void OnNextControl(WPARAM wParam, LPARAM lParam);
  HWND Control(int id) const { return ::GetDlgItem(Handle(), id); }

  HINSTANCE instance_;
  Files& files_;
  Registry& registry_;
  Desktop& desktop_;
  FormScale scale_;
  ControlFonts controlFonts_;
  FormBackground background_;
  win::UniqueAccelerators accelerators_;
  HWND lastFocus_ = nullptr;  // the control that had the focus when the window was deactivated
  OpenDialog OpenDialogSwf;
  OpenDialog OpenDialogExe;
  // The About box: created at its first opening and kept until the program ends.
  std::unique_ptr<TAboutForm> AboutForm;
};

}  // namespace swivex
