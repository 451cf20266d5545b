#include "ui/MainFrm.h"

#include <shellapi.h>

#include <string>
#include <string_view>
#include <utility>

#include "common/Exceptions.h"
#include "common/FileFailure.h"
#include "common/FileNames.h"
#include "common/ProgramFolder.h"
#include "forms/ControlText.h"
#include "forms/MenuBuilder.h"
#include "platform/FileIdentity.h"
#include "platform/FileNameComparison.h"
#include "platform/Files.h"
#include "resources/ProgramIcon.h"
#include "screensaver/InstallScreenSaver.h"
#include "shell/Application.h"
#include "shell/ErrorBoundary.h"
#include "shell/MessageDialog.h"
#include "ui/HandedFiles.h"
#include "ui/MainFrmIds.h"
#include "ui/MainFrmLayout.h"
#include "winsupport/Screens.h"

namespace swivex {

namespace {

using namespace mainform;

constexpr DWORD kFormStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
constexpr char kSwfFilter[] = "SWF file (*.swf)\0*.swf\0";
constexpr char kExeFilter[] = "EXE file (*.exe)\0*.exe\0";
constexpr char kHelpFile[] = "Swivex.chm";

HICON ProgramIcon(HINSTANCE instance, int widthMetric, int heightMetric) {
  return static_cast<HICON>(::LoadImageA(instance, MAKEINTRESOURCEA(SWIVEX_PROGRAM_ICON),
                                         IMAGE_ICON, ::GetSystemMetrics(widthMetric),
                                         ::GetSystemMetrics(heightMetric), LR_SHARED));
}

void OpenWithShell(HWND owner, const std::string& file) {
  ::ShellExecuteA(owner, "open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

// Files from outside wait until none has come for this long, so that the files of Explorer's
// several starts are one batch, in which the files that would replace each other are seen.
constexpr UINT_PTR kOutsideFilesTimer = 2;
static_assert(kOutsideFilesTimer != ConversionRunner::kProgressTimer);
constexpr UINT kOutsideFilesQuietMs = 400;

std::vector<std::string> DroppedFiles(HDROP drop) {
  const UINT count = ::DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  std::vector<std::string> files;
  for (UINT i = 0; i < count; ++i) {
    std::string name(::DragQueryFileA(drop, i, nullptr, 0), '\0');
    // A name that cannot be read comes back empty and names no file.
    if (name.empty()) continue;
    ::DragQueryFileA(drop, i, name.data(), static_cast<UINT>(name.size() + 1));
    files.push_back(std::move(name));
  }
  return files;
}

}  // namespace

TMainForm::TMainForm(HINSTANCE instance, Files& files, FileIdentities& identities,
                     Registry& registry, Desktop& desktop)
    : instance_(instance),
      files_(files),
      identities_(identities),
      registry_(registry),
      desktop_(desktop),
      OpenDialogSwf(kSwfFilter),
      OpenDialogExe(kExeFilter) {}

TMainForm::~TMainForm() { runner_.reset(); }

HWND TMainForm::Create() {
  if (!RegisterWindowClass(instance_, kClassName, ::LoadCursorA(nullptr, IDC_ARROW),
                           ProgramIcon(instance_, SM_CXICON, SM_CYICON),
                           ProgramIcon(instance_, SM_CXSMICON, SM_CYSMICON))) {
    return nullptr;
  }

  accelerators_ = CreateShortcutTable(MainMenuLayout());
  scale_ = ScaleForm(MainFormLayout());
  const SIZE client = ScaledClientSize(MainFormLayout(), scale_);
  RECT frame{0, 0, client.cx, client.cy};
  ::AdjustWindowRectEx(&frame, kFormStyle, TRUE, 0);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const win::ScreenPoint place = win::CentredIn(win::VirtualScreenArea(), width, height);

  win::UniqueMenu menu = CreateMenuBar(MainMenuLayout());
  HWND window = ::CreateWindowExA(0, kClassName, kMainFormCaption, kFormStyle, place.x, place.y,
                                  width, height, nullptr, menu.Get(), instance_, this);
  if (window != nullptr) menu.Release();  // the window destroys its menu
  return window;
}

LRESULT TMainForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      controlFonts_ = CreateControls(Handle(), MainFormLayout(), scale_);
      FormCreate();
      return 0;
    case WM_COMMAND:
      // A control reports clicks only; menu items and shortcuts report every time.
      if (lParam == 0 || HIWORD(wParam) == BN_CLICKED) OnCommand(LOWORD(wParam));
      return 0;
    case WM_ACTIVATE: {
      const LRESULT result = ::DefWindowProcA(Handle(), message, wParam, lParam);
      OnActivate(LOWORD(wParam) != WA_INACTIVE && HIWORD(wParam) == 0);
      return result;
    }
    case WM_NEXTDLGCTL:
      OnNextControl(wParam, lParam);
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
      return background_.ColourControl(reinterpret_cast<HDC>(wParam),
                                       ::GetSysColor(COLOR_WINDOWTEXT));
    case WM_ERASEBKGND:
      background_.Paint(Handle(), reinterpret_cast<HDC>(wParam));
      return 1;
    case WM_DROPFILES:
      OnDropFiles(reinterpret_cast<HDROP>(wParam));
      return 0;
    case ConversionRunner::kWorkerNews:
      OnWorkerNews();
      return 0;
    case WM_COPYDATA:
      return OnCopyData(*reinterpret_cast<const COPYDATASTRUCT*>(lParam)) ? TRUE : FALSE;
    case WM_ENABLE:
      // A box has closed: files from outside that waited for it go on.
      if (wParam != FALSE) PlaceOutsideFiles(false);
      return 0;
    case WM_TIMER:
      if (wParam == ConversionRunner::kProgressTimer) runner_->OnTimer();
      if (wParam == kOutsideFilesTimer) {
        ::KillTimer(Handle(), kOutsideFilesTimer);
        PlaceOutsideFiles(true);
      }
      return 0;
    case WM_CLOSE:
      if (OnClose()) return ::DefWindowProcA(Handle(), message, wParam, lParam);
      return 0;
    case WM_QUERYENDSESSION:
      OnQueryEndSession();
      return TRUE;
    case WM_ENDSESSION:
      OnEndSession(wParam != FALSE);
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    default:
      return ::DefWindowProcA(Handle(), message, wParam, lParam);
  }
}

void TMainForm::OnCommand(int id) {
  if (!gate_.AllowsCommand(id)) return;
  if (id == IDOK) {
    PressFocusedButton();
    return;
  }
  struct Route {
    int id;
    void (TMainForm::*handler)();
  };
  static constexpr Route kRoutes[] = {
      {kButton1, &TMainForm::ConvertSWFtoEXEClick},
      {kConvertSWFtoEXE, &TMainForm::ConvertSWFtoEXEClick},
      {kButton2, &TMainForm::ConvertEXEtoSWFClick},
      {kConvertEXEtoSWF, &TMainForm::ConvertEXEtoSWFClick},
      {kButton3, &TMainForm::SetasScreenSaver1Click},
      {kSetasScreenSaver1, &TMainForm::SetasScreenSaver1Click},
      {kButton4, &TMainForm::Button4Click},
      {kContents1, &TMainForm::Contents1Click},
      {kExit1, &TMainForm::Exit1Click},
      {kAbout1, &TMainForm::About1Click},
  };
  for (const Route& route : kRoutes) {
    if (route.id == id) {
      (this->*route.handler)();
      return;
    }
  }
}

// IsDialogMessage reports Enter as IDOK when no button is the default: Enter presses the button
// that has the focus, as in a dialog, and does nothing elsewhere.
void TMainForm::PressFocusedButton() {
  HWND focus = ::GetFocus();
  if (focus == nullptr || ::GetParent(focus) != Handle()) return;
  const int id = ::GetDlgCtrlID(focus);
  for (const ControlLayout& control : MainFormLayout().controls) {
    if (control.id == id && control.kind == ControlKind::PushButton) OnCommand(id);
  }
}

// The window is not a dialog, so the keyboard focus is kept by hand: it goes back to the
// control that had it when the window is activated again.
void TMainForm::OnActivate(bool active) {
  if (!active) {
    HWND focus = ::GetFocus();
    if (focus != nullptr && ::IsChild(Handle(), focus)) lastFocus_ = focus;
    return;
  }
  HWND target = lastFocus_;
  if (target == nullptr || !::IsWindow(target) || !::IsWindowEnabled(target)) {
    target = ::GetNextDlgTabItem(Handle(), nullptr, FALSE);
  }
  if (target != nullptr) ::SetFocus(target);
}

// IsDialogMessage asks for the next control with WM_NEXTDLGCTL, which only a dialog's own
// window procedure would answer.
void TMainForm::OnNextControl(WPARAM wParam, LPARAM lParam) {
  HWND next = nullptr;
  if (LOWORD(lParam) != 0) {
    next = reinterpret_cast<HWND>(wParam);
  } else {
    HWND focus = ::GetFocus();
    if (focus != nullptr && !::IsChild(Handle(), focus)) focus = nullptr;
    next = ::GetNextDlgTabItem(Handle(), focus, wParam != 0);
  }
  if (next != nullptr) ::SetFocus(next);
}

void TMainForm::FormCreate() {
  SetApplicationTitle(ControlText(Handle()));
  ::EnableWindow(Control(kButton4), FALSE);
  runner_ = std::make_unique<ConversionRunner>(
      instance_, Handle(), files_, gate_,
      [this](ConversionKind kind, const std::string& source) { return ShowPaths(kind, source); });
  ::DragAcceptFiles(Handle(), TRUE);
}

void TMainForm::ConvertFromOutside(std::vector<std::string> files) {
  if (files.empty()) return;
  outsideFiles_.insert(outsideFiles_.end(), files.begin(), files.end());
  PlaceOutsideFiles(false);
}

// Files from outside go where the gate says: into the running batch at once, into a batch of
// their own once none has come for a moment (`quiet`: the moment has passed), or nowhere yet.
void TMainForm::PlaceOutsideFiles(bool quiet) {
  if (outsideFiles_.empty()) return;
  switch (gate_.ForOutsideFiles(Handle())) {
    case OutsideFiles::Join:
      runner_->Join(std::exchange(outsideFiles_, {}));
      break;
    case OutsideFiles::Start:
      if (quiet) {
        ConvertFiles(std::exchange(outsideFiles_, {}));
      } else {
        ::SetTimer(Handle(), kOutsideFilesTimer, kOutsideFilesQuietMs, nullptr);
      }
      break;
    case OutsideFiles::Wait:  // a box has the window's input: WM_ENABLE comes when it closes
      break;
  }
}

void TMainForm::Convert(OpenDialog& dialog, ConversionKind kind) {
  if (!dialog.Execute(Handle())) return;
  RunBatch(ConversionBatch::Single(dialog.FileName(), kind, Names()));
}

void TMainForm::ConvertFiles(const std::vector<std::string>& files) {
  if (files.empty()) return;
  RunBatch(ConversionBatch::ByFileType(files, Names()));
}

BatchNames TMainForm::Names() const { return {files_.Syntax(), &identities_, SameFileName}; }

void TMainForm::RunBatch(ConversionBatch batch) {
  if (const auto conclusion = runner_->Start(std::move(batch))) Present(*conclusion);
}

ConversionPaths TMainForm::ShowPaths(ConversionKind kind, const std::string& source) {
  SetControlText(Control(kEdit1), source);
  SetControlText(Control(kEdit2),
                 ConversionTarget(kind, ControlText(Control(kEdit1)), files_.Syntax()));
  ::EnableWindow(Control(kButton4), TRUE);
  return {ControlText(Control(kEdit1)), ControlText(Control(kEdit2))};
}

// An error report goes to the error boundary, which shows the error box as for any other
// command. A close that came while files from outside waited takes effect once the box of their
// batch is closed; files that came while this box was open still have theirs first.
void TMainForm::Present(const BatchConclusion& conclusion) {
  RunGuarded([&] {
    if (conclusion.error) std::rethrow_exception(conclusion.error);
    ShowMessageDialog(conclusion.message);
  });
  if (gate_.ClosesAfterConclusion() && outsideFiles_.empty()) ::DestroyWindow(Handle());
}

void TMainForm::OnDropFiles(HDROP dropped) {
  std::vector<std::string> files;
  {
    win::UniqueDrop drop(dropped);
    if (!gate_.TakesDrop(Handle())) return;
    files = DroppedFiles(drop.Get());
  }
  ConvertFiles(files);
}

// Another Swivex hands over the files that it was started with (see FirstSwivex). The data is
// taken only as a list of full paths of files to convert; anything else is refused, and so is
// everything while the window closes, so that the sender keeps its files.
bool TMainForm::OnCopyData(const COPYDATASTRUCT& data) {
  if (data.dwData != kHandedFilesTag || !gate_.TakesHandedFiles()) return false;
  const auto names = UnpackHandedFiles(
      std::string_view(static_cast<const char*>(data.lpData), data.cbData), files_.Syntax());
  if (!names) return false;
  std::vector<std::string> paths;
  // "C:\m\..\m\intro.swf" names C:\m\intro.swf, as every other file of the batch is named.
  for (const std::string& name : *names) paths.push_back(PathForMessage(name, files_));
  ConvertFromOutside(std::move(paths));
  return true;
}

void TMainForm::OnWorkerNews() {
  const auto conclusion = runner_->OnWorkerNews();
  if (!conclusion) return;
  if (gate_.ClosesWhenBatchStops()) {
    ::DestroyWindow(Handle());
    return;
  }
  Present(*conclusion);
}

// True if the window may close now. During a conversion it closes once the conversion has
// stopped, without a word about it. Files from outside that wait for their batch (gathering, or
// behind a box) were given to convert and are the sender's no more: they are converted first,
// with progress and Cancel as for any batch, and the window closes after their conclusion.
bool TMainForm::OnClose() {
  if (gate_.Converting()) {
    gate_.CloseAfterBatch();
    runner_->Cancel();
    return false;
  }
  if (outsideFiles_.empty()) return true;
  gate_.CloseAfterWaitingFiles();
  return false;
}

// The user logs off or shuts down: the conversion is cancelled, and only once it has stopped
// (its scratch file removed, an older target as it was) does Windows hear that it may go on.
void TMainForm::OnQueryEndSession() {
  if (gate_.Converting()) runner_->CancelAndWait();
}

// The session ends now (or after all not): the program ends without a word, once its conversion
// has stopped, should it have been asked no question before.
void TMainForm::OnEndSession(bool ending) {
  if (!ending) return;
  OnQueryEndSession();
  ::DestroyWindow(Handle());
}

void TMainForm::ConvertSWFtoEXEClick() { Convert(OpenDialogSwf, ConversionKind::SwfToExe); }

void TMainForm::ConvertEXEtoSWFClick() { Convert(OpenDialogExe, ConversionKind::ExeToSwf); }

void TMainForm::SetasScreenSaver1Click() {
  const bool chosen = OpenDialogSwf.Execute(Handle());
  InstallScreenSaver(chosen ? OpenDialogSwf.FileName() : std::string(), files_, registry_,
                     desktop_);
}

void TMainForm::Button4Click() {
  const std::string target = ControlText(Control(kEdit2));
  if (target.empty()) return;
  try {
    OpenWithShell(Handle(), FolderPart(target, files_.Syntax()));
    OpenWithShell(Handle(), target);
  } catch (const Exception&) {
    // "Go" only offers a look at the result: when there is nothing to open, it stays quiet.
  }
}

void TMainForm::Contents1Click() { OpenWithShell(Handle(), ProgramFolder(files_) + kHelpFile); }

void TMainForm::Exit1Click() { ::SendMessageA(Handle(), WM_CLOSE, 0, 0); }

void TMainForm::About1Click() {
  if (!AboutForm) AboutForm = TAboutForm::Create(instance_, Handle(), files_);
  AboutForm->ShowModal();
}

}  // namespace swivex
