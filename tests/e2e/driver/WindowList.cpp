#include "tests/e2e/driver/WindowList.h"

#include <algorithm>
#include <cstdio>

#include "tests/e2e/driver/WideText.h"
#include "tests/support/AsciiText.h"
#include "winsupport/WindowsHandles.h"

namespace swivex::e2e {

namespace {

// A window that does not answer within this time is reported as hung rather than waited for.
constexpr UINT kMessageTimeoutMs = 2000;

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

bool EndsWithIgnoringCase(const std::string& text, const std::string& end) {
  return text.size() >= end.size() &&
         swivex::testing::AsciiLower(text.substr(text.size() - end.size())) ==
             swivex::testing::AsciiLower(end);
}

std::string HandleText(const void* handle) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%p", handle);
  return buffer;
}

std::string DescribeWindow(HWND window) {
  return HandleText(window) + " class \"" + ClassNameOf(window) + "\" caption \"" + TextOf(window) +
         "\" pid " + std::to_string(ProcessOf(window)) + " owner " +
         HandleText(::GetWindow(window, GW_OWNER)) + (::IsWindowEnabled(window) ? "" : " disabled");
}

std::string DescribeControl(HWND control) {
  return "    id " + std::to_string(::GetDlgCtrlID(control)) + " class \"" + ClassNameOf(control) +
         "\" text \"" + TextOf(control) + "\"" + (::IsWindowVisible(control) ? "" : " hidden") +
         (::IsWindowEnabled(control) ? "" : " disabled") + "\n";
}

// Explorer windows have hundreds of descendants and say nothing about the programs under test.
bool ShowsControls(HWND window) { return ClassNameOf(window) != "ExplorerWClass"; }

}  // namespace

std::string ClassNameOf(HWND window) {
  char name[256] = {};
  ::GetClassNameA(window, name, sizeof name);
  return name;
}

std::wstring WideTextOf(HWND window) {
  DWORD_PTR length = 0;
  if (!::SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs,
                             &length))
    return L"<no answer>";
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!::SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, kMessageTimeoutMs, &copied))
    return L"<no answer>";
  text.resize(std::min<std::size_t>(copied, length));
  return text;
}

std::string TextOf(HWND window) { return AnsiFromWide(WideTextOf(window)); }

DWORD ProcessOf(HWND window) {
  DWORD processId = 0;
  ::GetWindowThreadProcessId(window, &processId);
  return processId;
}

std::string ProcessImageOf(DWORD processId) {
  const win::UniqueKernelObject process(
      ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  if (!process) return "";
  wchar_t path[MAX_PATH] = {};
  DWORD size = MAX_PATH;
  if (!::QueryFullProcessImageNameW(process.Get(), 0, path, &size)) return "";
  return AnsiFromWide(std::wstring(path, size));
}

std::vector<HWND> TopLevelWindows() {
  std::vector<HWND> windows;
  ::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::vector<HWND> DescendantWindows(HWND parent) {
  std::vector<HWND> windows;
  ::EnumChildWindows(parent, CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::string DescribeWindows() {
  std::string description = "visible top-level windows:\n";
  int hidden = 0;
  for (HWND window : TopLevelWindows()) {
    if (!::IsWindowVisible(window)) {
      ++hidden;
      continue;
    }
    const std::string line = DescribeWindow(window);
    description += "  " + line + "\n";
    // The controls of a window that does not answer would not either, each after a timeout.
    if (line.find("<no answer>") != std::string::npos) continue;
    if (ShowsControls(window))
      for (HWND control : DescendantWindows(window)) description += DescribeControl(control);
  }
  return description + "  (and " + std::to_string(hidden) + " hidden)\n";
}

bool WindowQuery::Matches(HWND window) const {
  if (visibleOnly && !::IsWindowVisible(window)) return false;
  if (className && ClassNameOf(window) != *className) return false;
  if (processId && ProcessOf(window) != *processId) return false;
  if (owner && ::GetWindow(window, GW_OWNER) != *owner) return false;
  if (caption && TextOf(window) != *caption) return false;
  if (imageEndsWith && !EndsWithIgnoringCase(ProcessImageOf(ProcessOf(window)), *imageEndsWith))
    return false;
  return true;
}

std::string WindowQuery::Describe() const {
  std::string description = visibleOnly ? "a visible window" : "a window";
  if (className) description += " of class \"" + *className + "\"";
  if (caption) description += " titled \"" + *caption + "\"";
  if (processId) description += " of process " + std::to_string(*processId);
  if (owner) description += " owned by " + HandleText(*owner);
  if (imageEndsWith) description += " of a program ending in \"" + *imageEndsWith + "\"";
  return description;
}

std::vector<HWND> FindTopLevelWindows(const WindowQuery& query) {
  std::vector<HWND> found;
  for (HWND window : TopLevelWindows())
    if (query.Matches(window)) found.push_back(window);
  return found;
}

HWND FindTopLevelWindow(const WindowQuery& query) {
  const auto found = FindTopLevelWindows(query);
  return found.empty() ? nullptr : found.front();
}

HWND WaitForTopLevelWindow(const WindowQuery& query, Timeout timeout) {
  return WaitFor<HWND>(
      [&]() -> std::optional<HWND> {
        if (HWND window = FindTopLevelWindow(query)) return window;
        return std::nullopt;
      },
      query.Describe(), timeout);
}

void WaitUntilClosed(HWND window, const std::string& what, Timeout timeout) {
  WaitUntil([&] { return !::IsWindow(window) || !::IsWindowVisible(window); }, what + " to close",
            timeout);
}

}  // namespace swivex::e2e
