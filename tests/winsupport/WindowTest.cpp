#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "winsupport/Window.h"

namespace swivex::testing {
namespace {

std::vector<std::string> reportedErrors;

struct RecordingPolicy {
  static void OnError(const char* what) noexcept { reportedErrors.emplace_back(what); }
};

constexpr UINT kThrowMessage = WM_APP + 1;
constexpr char kClassName[] = "SwivexWindowTest";

// What a window saw while it went, kept outside the object so that it outlives it.
struct Record {
  HWND created = nullptr;
  HWND handleAtNcDestroy = nullptr;
  bool ncDestroyReachedDefault = false;
  bool calledAfterDestruction = false;
  bool destructed = false;
};

class ProbeWindow : public win::Window<ProbeWindow, RecordingPolicy> {
 public:
  explicit ProbeWindow(Record& record) : record_(record) {
    RegisterWindowClass(::GetModuleHandleA(nullptr), kClassName, nullptr);
    ::CreateWindowExA(0, kClassName, "probe", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                      ::GetModuleHandleA(nullptr), this);
    record_.created = Handle();
  }
  ~ProbeWindow() { record_.destructed = true; }

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (record_.destructed) record_.calledAfterDestruction = true;
    if (message == kThrowMessage) throw std::runtime_error("the handler failed");
    if (message == WM_NCDESTROY) {
      record_.handleAtNcDestroy = Handle();
      record_.ncDestroyReachedDefault = true;
    }
    return ::DefWindowProcA(Handle(), message, wParam, lParam);
  }

 private:
  Record& record_;
};

TEST(Window, KeepsItsHandleThroughItsOwnNcDestroyAndLetsGoAfterwards) {
  Record record;
  ProbeWindow window(record);
  ASSERT_NE(record.created, nullptr);
  ASSERT_TRUE(::DestroyWindow(record.created));
  EXPECT_TRUE(record.ncDestroyReachedDefault);
  EXPECT_EQ(record.handleAtNcDestroy, record.created)
      << "the default branch must reach DefWindowProcA with the real window";
  EXPECT_EQ(window.Handle(), nullptr);
  EXPECT_FALSE(::IsWindow(record.created));
}

TEST(Window, DestroysItsWindowWithoutCallingBackIntoAHalfGoneObject) {
  Record record;
  {
    ProbeWindow window(record);
    ASSERT_TRUE(::IsWindow(record.created));
  }
  EXPECT_FALSE(::IsWindow(record.created));
  EXPECT_FALSE(record.calledAfterDestruction);
}

TEST(Window, HandsAnErrorOfAHandlerToItsPolicyAndCarriesOn) {
  reportedErrors.clear();
  Record record;
  ProbeWindow window(record);
  EXPECT_EQ(::SendMessageA(window.Handle(), kThrowMessage, 0, 0), 0);
  EXPECT_EQ(reportedErrors, (std::vector<std::string>{"the handler failed"}));
  EXPECT_EQ(::SendMessageA(window.Handle(), WM_GETTEXTLENGTH, 0, 0), 5);  // still answering
}

}  // namespace
}  // namespace swivex::testing
