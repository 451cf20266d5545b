#include "tests/screensaver-module/WindowProbe.h"

namespace swivex::glowdrift::testing {

namespace {

BOOL CALLBACK CollectWindow(HWND window, LPARAM windows) {
  reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
  return TRUE;
}

template <class Find>
HWND WaitFor(Find find, milliseconds patience) {
  HWND found = nullptr;
  PumpMessagesUntil([&] { return (found = find()) != nullptr; }, patience);
  return found;
}

}  // namespace

std::string WindowText(HWND window) {
  char text[1024] = {};
  DWORD_PTR copied = 0;
  if (!::SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                             SMTO_ABORTIFHUNG, 5000, &copied))
    return {};
  return std::string(text, copied);
}

std::string ClassNameOf(HWND window) {
  char name[256] = {};
  const int length = ::GetClassNameA(window, name, sizeof name);
  return std::string(name, length > 0 ? length : 0);
}

DWORD ProcessOf(HWND window) {
  DWORD process = 0;
  ::GetWindowThreadProcessId(window, &process);
  return process;
}

RECT ScreenRectOf(HWND window) {
  RECT rect{};
  ::GetWindowRect(window, &rect);
  return rect;
}

std::vector<HWND> ChildWindowsOf(HWND parent) {
  std::vector<HWND> children;
  ::EnumChildWindows(parent, &CollectWindow, reinterpret_cast<LPARAM>(&children));
  return children;
}

std::string TextOfChildren(HWND parent) {
  std::string texts;
  for (HWND child : ChildWindowsOf(parent)) texts += WindowText(child) + "\n";
  return texts;
}

std::vector<HWND> TopLevelWindowsOf(DWORD process) {
  std::vector<HWND> all, owned;
  ::EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&all));
  for (HWND window : all)
    if (ProcessOf(window) == process) owned.push_back(window);
  return owned;
}

HWND WaitForTopLevelWindow(DWORD process, const std::string& className, milliseconds patience) {
  return WaitFor(
      [&]() -> HWND {
        for (HWND window : TopLevelWindowsOf(process))
          if (::IsWindowVisible(window) && (className.empty() || ClassNameOf(window) == className))
            return window;
        return nullptr;
      },
      patience);
}

HWND WaitForChildWindow(HWND parent, DWORD process, milliseconds patience) {
  return WaitFor(
      [&]() -> HWND {
        // Shown only once its creation is complete: one still being created is not found yet.
        for (HWND child : ChildWindowsOf(parent))
          if (ProcessOf(child) == process && ::IsWindowVisible(child)) return child;
        return nullptr;
      },
      patience);
}

}  // namespace swivex::glowdrift::testing

bool operator==(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

void PrintTo(const RECT& rect, std::ostream* out) {
  *out << "(" << rect.left << "," << rect.top << ")-(" << rect.right << "," << rect.bottom << ")";
}
