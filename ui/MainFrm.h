#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "forms/FormBackground.h"
#include "forms/FormBuilder.h"
#include "projector/ConversionKind.h"
#include "shell/ErrorBoundary.h"
#include "ui/AboutFrm.h"
#include "ui/ConversionRunner.h"
#include "ui/OpenDialog.h"
#include "winsupport/WindowsHandles.h"

namespace swivex {

class Files;
class FileIdentities;
class Registry;
class Desktop;

// The program's main window: the three commands as buttons and menu items, the paths of the
// last conversion, "Go", help and exit. Files dropped on it, named on the command line or handed
// over by another Swivex are converted as their type says.
// Conversions run on a worker thread; the window takes no input meanwhile.
class TMainForm : public Window<TMainForm> {
 public:
  // The commands reach the system through the implementations handed in here, which outlive
  // the window.
  TMainForm(HINSTANCE instance, Files& files, FileIdentities& identities, Registry& registry,
            Desktop& desktop);
  // The batch stops before anything that it uses goes.
  ~TMainForm();

  // Creates the window hidden, centred on the desktop, with its controls and menu; FormCreate
  // runs during creation. Returns the window, or null if the system refused to create it.
  HWND Create();
  // The window's keyboard shortcuts, for the message loop.
  HACCEL Accelerators() const { return accelerators_.Get(); }

  // Converts files from outside the window, named on the command line or handed over by another
  // Swivex, as a drop would. They join a running batch at once; otherwise they wait until no more
  // have come for a moment (Explorer starts one Swivex per file, and their files come one by one)
  // and until no box has the window's input. A close meanwhile converts them first.
  void ConvertFromOutside(std::vector<std::string> files);

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

  // A conversion command: pick the source, then convert it as a batch of one.
  void Convert(OpenDialog& dialog, ConversionKind kind);
  void ConvertFiles(const std::vector<std::string>& files);
  void RunBatch(ConversionBatch batch);
  BatchNames Names() const;
  // Shows the paths of a conversion as it starts and enables Go; the conversion uses the paths
  // as the fields hold them.
  ConversionPaths ShowPaths(ConversionKind kind, const std::string& source);
  void Present(const BatchConclusion& conclusion);

  void OnDropFiles(HDROP drop);
  bool OnCopyData(const COPYDATASTRUCT& data);
  void PlaceOutsideFiles(bool quiet);
  void OnWorkerNews();
  bool OnClose();
  void OnQueryEndSession();
  void OnEndSession(bool ending);

  void OnCommand(int id);
  void PressFocusedButton();
  void OnActivate(bool active);
  void OnNextControl(WPARAM wParam, LPARAM lParam);
  HWND Control(int id) const { return ::GetDlgItem(Handle(), id); }

  HINSTANCE instance_;
  Files& files_;
  FileIdentities& identities_;
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
  std::vector<std::string> outsideFiles_;  // from outside, waiting for their batch
  ConversionGate gate_;
  // Created with the window.
  std::unique_ptr<ConversionRunner> runner_;
};

}  // namespace swivex
