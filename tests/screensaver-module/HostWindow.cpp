#include "tests/screensaver-module/HostWindow.h"

#include <stdexcept>

namespace swivex::glowdrift::testing {

namespace {

constexpr char kFrameClass[] = "GlowdriftTestHost";
constexpr char kMonitorClass[] = "GlowdriftTestMonitor";

void RegisterPlainClass(const char* name, int background) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = &::DefWindowProcA;
  windowClass.hInstance = ::GetModuleHandleA(nullptr);
  windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = ::GetSysColorBrush(background);
  windowClass.lpszClassName = name;
  ::RegisterClassExA(&windowClass);
}

}  // namespace

HostWindow::HostWindow() {
  RegisterPlainClass(kFrameClass, COLOR_BTNFACE);
  RegisterPlainClass(kMonitorClass, COLOR_WINDOWTEXT);
  frame_ = ::CreateWindowExA(0, kFrameClass, "Display Properties (test host)",
                             WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 200, 150, 360,
                             300, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
  if (!frame_) throw std::runtime_error("cannot create the host window");
  monitor_ = ::CreateWindowExA(0, kMonitorClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 96,
                               60, kMonitorWidth, kMonitorHeight, frame_, nullptr,
                               ::GetModuleHandleA(nullptr), nullptr);
  if (!monitor_) {
    Destroy();
    throw std::runtime_error("cannot create the host's monitor window");
  }
}

HostWindow::~HostWindow() { Destroy(); }

void HostWindow::Destroy() {
  if (frame_ && ::IsWindow(frame_)) ::DestroyWindow(frame_);
  frame_ = nullptr;
  monitor_ = nullptr;
}

}  // namespace swivex::glowdrift::testing
