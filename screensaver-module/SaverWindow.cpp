#include "screensaver-module/SaverWindow.h"

#include <chrono>
#include <stdexcept>
#include <string>

#include "winsupport/Screens.h"
#include "winsupport/WindowsHandles.h"

namespace swivex::glowdrift {

namespace {

using namespace saver_event;

constexpr char kSaverClass[] = "GlowdriftSaver";
constexpr UINT_PTR kFrameTimer = 1;

using UniqueRegion = win::UniqueHandle<win::GdiObjectTraits<HRGN>>;

RECT AsRect(const win::ScreenArea& area) { return {area.left, area.top, area.right, area.bottom}; }

BOOL CALLBACK CollectMonitor(HMONITOR, HDC, RECT* bounds, LPARAM monitors) noexcept {
  try {
    reinterpret_cast<std::vector<RECT>*>(monitors)->push_back(*bounds);
    return TRUE;
  } catch (...) {
    return FALSE;  // out of memory: the monitors found so far will do
  }
}

// Every monitor's rectangle relative to the virtual screen's corner; the whole virtual screen if
// the system names none.
std::vector<RECT> MonitorsWithin(const RECT& virtualScreen) {
  std::vector<RECT> monitors;
  ::EnumDisplayMonitors(nullptr, nullptr, &CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
  if (monitors.empty()) monitors.push_back(virtualScreen);
  for (RECT& monitor : monitors) ::OffsetRect(&monitor, -virtualScreen.left, -virtualScreen.top);
  return monitors;
}

RECT PrimaryWithin(const RECT& virtualScreen) {
  RECT primary = AsRect(win::PrimaryScreenArea());
  ::OffsetRect(&primary, -virtualScreen.left, -virtualScreen.top);
  return primary;
}

std::optional<MouseWakeFilter::Point> PointerPosition() {
  POINT cursor{};
  if (!::GetCursorPos(&cursor)) return std::nullopt;
  return MouseWakeFilter::Point{cursor.x, cursor.y};
}

// The system's tick of the last input anywhere in the session.
std::uint32_t LastInputTick() {
  LASTINPUTINFO input{};
  input.cbSize = sizeof input;
  ::GetLastInputInfo(&input);
  return input.dwTime;
}

// Why the saver gave up a browser whose page drew no frame in time.
std::string NoFrameReason() {
  const auto deadline =
      std::chrono::duration_cast<std::chrono::seconds>(SaverLife::kFirstFrameDeadline);
  // Appended piece by piece: "literal" + std::string trips GCC 12's -Wrestrict at -O2.
  return std::string("The browser showed no frame of the movie within ")
      .append(std::to_string(deadline.count()))
      .append(" seconds.");
}

}  // namespace

SaverWindow::SaverWindow(HINSTANCE instance, std::optional<std::uint64_t> movieSize,
                         SaverShows shows, MovieOpener movie)
    : movieSize_(movieSize),
      caption_(DescribeInstalledMovie(movieSize, shows)),
      virtualScreen_(AsRect(win::VirtualScreenArea())),
      monitors_(MonitorsWithin(virtualScreen_)),
      primary_(PrimaryWithin(virtualScreen_)),
      started_(::GetTickCount64()),
      life_(PointerPosition(), LastInputTick()),
      painter_(field_),
      pictures_(std::move(movie)) {
  RegisterWindowClass(instance, kSaverClass, nullptr);
  // The title carries the caption for screen readers and for anyone who lists windows.
  const std::string title = caption_.headline + " " + caption_.note;
  ::CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kSaverClass, title.c_str(),
                    WS_POPUP | WS_VISIBLE, virtualScreen_.left, virtualScreen_.top,
                    virtualScreen_.right - virtualScreen_.left,
                    virtualScreen_.bottom - virtualScreen_.top, nullptr, nullptr, instance, this);
  if (!Handle()) throw std::runtime_error("Cannot create the screen saver's window.");
  ::SetForegroundWindow(Handle());
}

void SaverWindow::PlayMovie(const FoundBrowser& browser, const std::string& moviePath,
                            SaverPageSettings settings) {
  try {
    playback_ = std::make_unique<MoviePlayback>(browser, moviePath, settings, Handle(),
                                                win::PrimaryScreenArea());
  } catch (const std::exception& error) {
    // A saver shows no message box: the caption says that the movie does not play, and the
    // title, which tools and screen readers read, why.
    Describe(SaverShows::PicturesAfterFailure, error.what());
    return;
  }
  Take(BrowserStarted{});
}

LRESULT SaverWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      OnCreate();
      return 0;
    case WM_TIMER:
      OnTimer();
      return 0;
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the frame covers everything
    case WM_SETCURSOR:
      ::SetCursor(nullptr);  // no pointer over the picture
      return TRUE;
    case WM_MOUSEMOVE:
      OnMouseMove(lParam);
      return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_XBUTTONDOWN:
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
      Take(KeyOrButton{});
      return 0;
    case WM_ACTIVATEAPP:
      if (!wParam) Take(ActivationLost{});
      return 0;
    case kPageFirstFrameMessage:
      OnFirstFrame();
      return 0;
    case kPageInputMessage:
      Take(PageInput{});
      return 0;
    case kPageQuitMessage:
      Take(PageQuit{});
      return 0;
    case WM_POWERBROADCAST:
      if (wParam == PBT_APMSUSPEND) Take(Suspend{});
      return TRUE;
    case WM_ENDSESSION:
      if (wParam) Take(SessionEnd{});
      return 0;
    case WM_SYSCOMMAND:
      // The system asks a running saver to start the saver again: it is already running.
      if ((wParam & 0xFFF0) == SC_SCREENSAVE) return 0;
      break;
    case WM_DESTROY:
      OnDestroy();
      return 0;
  }
  return ::DefWindowProcA(Handle(), message, wParam, lParam);
}

void SaverWindow::OnCreate() {
  if (!::SetTimer(Handle(), kFrameTimer, kFrameMilliseconds, nullptr))
    throw std::runtime_error("Cannot start the screen saver's animation timer.");
}

void SaverWindow::OnTimer() {
  ShowArrivedPictures();
  const double seconds = clock_.SecondsSinceLastTick();
  field_.Advance(seconds);
  drift_.Advance(seconds);
  WatchBrowser();
  // While the browser starts, the glows are drawn at half the rate: the browser's start, not the
  // glows that its window will cover, should have the processor.
  const bool browserStarting = playback_ && !life_.PrimaryMonitorLeft();
  if (browserStarting && ++ticks_ % 2 != 0) return;
  if (::IsWindowVisible(Handle())) ::InvalidateRect(Handle(), nullptr, FALSE);
}

void SaverWindow::ShowArrivedPictures() {
  if (auto arrived = pictures_.Take()) {
    painter_.ShowPictures(*arrived);
    drift_ = PictureDrift(arrived->size());
  }
}

void SaverWindow::WatchBrowser() {
  if (!playback_) return;
  const BrowserJob& browser = playback_->Browser();
  if (browser.HasEnded()) {
    Take(BrowserGone{});
    return;
  }
  if (!life_.PrimaryMonitorLeft()) {
    if (HWND window = browser.VisibleWindow()) GiveThePrimaryMonitorTo(window);
  }
  POINT cursor{};
  ::GetCursorPos(&cursor);
  Take(Look{LastInputTick(), cursor.x, cursor.y});
}

void SaverWindow::OnPaint() {
  win::PaintSession paint(Handle());
  RECT client{};
  ::GetClientRect(Handle(), &client);
  HDC frame = backBuffer_.Prepare(paint.Get(), client.right, client.bottom);
  ::FillRect(frame, &client, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
  const std::vector<PicturePlacement> placements = drift_.Placements();
  for (const RECT& monitor : monitors_) {
    if (life_.PrimaryMonitorLeft() && ::EqualRect(&monitor, &primary_)) continue;
    painter_.Paint(frame, monitor, field_, &caption_, placements);
  }
  ::BitBlt(paint.Get(), 0, 0, client.right, client.bottom, frame, 0, 0, SRCCOPY);
}

void SaverWindow::OnMouseMove(LPARAM position) {
  // The window's client corner is the virtual screen's corner.
  const int x = virtualScreen_.left + static_cast<short>(LOWORD(position));
  const int y = virtualScreen_.top + static_cast<short>(HIWORD(position));
  Take(PointerAt{x, y});
}

void SaverWindow::OnFirstFrame() {
  // A frame told by a page that was given up already changes nothing.
  if (!playback_) return;
  Take(FirstFrame{});
  if (!life_.PrimaryMonitorLeft()) GiveThePrimaryMonitorTo(playback_->Browser().VisibleWindow());
}

void SaverWindow::GiveThePrimaryMonitorTo(HWND browser) {
  // Keys go to the page from now on: handed on while the saver still has the keyboard to hand.
  if (browser) ::SetForegroundWindow(browser);
  LeavePrimaryMonitor();
  Take(PrimaryLeft{});
}

void SaverWindow::Take(const SaverEvent& event) {
  const std::chrono::milliseconds sinceStart(::GetTickCount64() - started_);
  switch (life_.Take(sinceStart, event)) {
    case SaverTurn::GoOn:
      break;
    case SaverTurn::End:
      // The browser goes at once, before the window's own end.
      playback_.reset();
      ::PostMessageA(Handle(), WM_CLOSE, 0, 0);
      break;
    case SaverTurn::ShowPictures:
      ShowPicturesInstead(std::holds_alternative<BrowserGone>(event) ? "The browser ended."
                                                                     : NoFrameReason());
      break;
  }
}

// The pictures cover every monitor again, the primary one too if the browser had it.
void SaverWindow::ShowPicturesInstead(const std::string& reason) {
  playback_.reset();
  Describe(SaverShows::PicturesAfterFailure, reason);
  ::SetWindowRgn(Handle(), nullptr, TRUE);
  ::ShowWindow(Handle(), SW_SHOW);
  ::SetForegroundWindow(Handle());
}

// Chromium stops drawing a window that another one covers, so the saver's window gives the
// primary monitor up entirely: a region without it, or no window at all with one monitor.
void SaverWindow::LeavePrimaryMonitor() {
  RECT client{};
  ::GetClientRect(Handle(), &client);
  UniqueRegion rest(::CreateRectRgnIndirect(&client));
  const UniqueRegion primary(::CreateRectRgnIndirect(&primary_));
  const int left =
      rest && primary ? ::CombineRgn(rest.Get(), rest.Get(), primary.Get(), RGN_DIFF) : ERROR;
  if (left == NULLREGION || left == ERROR) {
    ::ShowWindow(Handle(), SW_HIDE);
    return;
  }
  // The system owns a region that a window takes.
  if (::SetWindowRgn(Handle(), rest.Get(), TRUE))
    rest.Release();
  else
    ::ShowWindow(Handle(), SW_HIDE);
}

void SaverWindow::Describe(SaverShows shows, const std::string& reason) {
  caption_ = DescribeInstalledMovie(movieSize_, shows);
  std::string title = caption_.headline + " " + caption_.note;
  if (!reason.empty()) title.append(" ").append(reason);
  ::SetWindowTextA(Handle(), title.c_str());
}

void SaverWindow::OnDestroy() {
  playback_.reset();
  ::KillTimer(Handle(), kFrameTimer);
  ::PostQuitMessage(kExitDone);
}

}  // namespace swivex::glowdrift
