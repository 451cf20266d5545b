#include <gtest/gtest.h>

#include "tests/screensaver-module/HostWindow.h"
#include "tests/screensaver-module/SaverProcess.h"
#include "tests/screensaver-module/WindowProbe.h"

namespace swivex::glowdrift::testing {
namespace {

std::string PreviewOf(HWND window) {
  return "/p " + std::to_string(reinterpret_cast<std::uintptr_t>(window));
}

RECT ClientRectOf(HWND window) {
  RECT client{};
  ::GetClientRect(window, &client);
  return client;
}

bool HasVisibleTopLevelWindow(DWORD process) {
  for (HWND window : TopLevelWindowsOf(process))
    if (::IsWindowVisible(window)) return true;
  return false;
}

// True once the window's update region has been emptied: its own WM_PAINT has run.
bool RepaintsWithin(HWND window, milliseconds patience) {
  return PumpMessagesUntil([&] { return !::GetUpdateRect(window, nullptr, FALSE); }, patience);
}

// Wine 8 does not put a child window of another process's window on the screen (a screen
// capture and an X screenshot both show the host's own pixels there), so the preview's picture
// is checked where it is drawn (ScenePainterTest); here its window, its answers and its life.
TEST(Preview, FillsTheGivenWindowRepaintsAndEndsWithIt) {
  HostWindow host;
  SaverProcess saver(PreviewOf(host.Monitor()));

  HWND preview = WaitForChildWindow(host.Monitor(), saver.Id());
  ASSERT_NE(preview, nullptr) << "no preview window appeared in the monitor";
  EXPECT_EQ(::GetParent(preview), host.Monitor());
  EXPECT_TRUE(::GetWindowLongPtrA(preview, GWL_STYLE) & WS_CHILD);
  EXPECT_TRUE(::IsWindowVisible(preview));
  EXPECT_EQ(ClientRectOf(preview), ClientRectOf(host.Monitor()));
  EXPECT_EQ(ScreenRectOf(preview), ScreenRectOf(host.Monitor()));
  EXPECT_FALSE(HasVisibleTopLevelWindow(saver.Id())) << "the preview opened a window of its own";

  for (int frame = 0; frame < 5; ++frame) {
    ::InvalidateRect(preview, nullptr, FALSE);
    EXPECT_TRUE(RepaintsWithin(preview, milliseconds(2000))) << "frame " << frame;
  }

  host.Destroy();
  EXPECT_EQ(saver.WaitForExit(milliseconds(5000)), std::optional<DWORD>(0))
      << "the preview should end within seconds of its window";
}

TEST(Preview, EndsAtOnceWhenItsWindowIsAlreadyGone) {
  HWND gone = nullptr;
  {
    HostWindow host;
    gone = host.Monitor();
  }
  ASSERT_FALSE(::IsWindow(gone));
  SaverProcess saver(PreviewOf(gone));
  EXPECT_EQ(saver.WaitForExit(), std::optional<DWORD>(1));
}

}  // namespace
}  // namespace swivex::glowdrift::testing
