#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/driver/Wait.h"

namespace swivex::e2e {

std::string ClassNameOf(HWND window);
// A window's or control's text, also for controls of other processes (GetWindowTextA returns
// nothing for their edit fields).
// Read as UTF-16 and given in the driver's ANSI code page.
std::string TextOf(HWND window);
std::wstring WideTextOf(HWND window);
DWORD ProcessOf(HWND window);
// The full path of a process's executable, or empty text if it cannot be asked.
std::string ProcessImageOf(DWORD processId);

std::vector<HWND> TopLevelWindows();
// Every descendant of `parent`, in creation order.
std::vector<HWND> DescendantWindows(HWND parent);

// The visible top-level windows with their class, caption, process and owner, and the controls
// of visible dialogs: what a failed wait prints.
std::string DescribeWindows();

// What a wanted top-level window looks like; unset fields match anything.
struct WindowQuery {
  std::optional<std::string> className{};
  std::optional<std::string> caption{};
  std::optional<DWORD> processId{};
  std::optional<HWND> owner{};
  // The end of the owning process's executable path, compared without regard to letter case.
  std::optional<std::string> imageEndsWith{};
  bool visibleOnly = true;

  bool Matches(HWND window) const;
  std::string Describe() const;
};

std::vector<HWND> FindTopLevelWindows(const WindowQuery& query);
HWND FindTopLevelWindow(const WindowQuery& query);  // nullptr if none matches
HWND WaitForTopLevelWindow(const WindowQuery& query, Timeout timeout = kDefaultTimeout);
// Waits until the window is destroyed or hidden.
void WaitUntilClosed(HWND window, const std::string& what, Timeout timeout = kDefaultTimeout);

}  // namespace swivex::e2e
