#include "ui/TaskbarProgress.h"

namespace swivex {

TaskbarProgress::TaskbarProgress(HWND window) : window_(window) {
  if (FAILED(::CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskbarList3,
                                reinterpret_cast<void**>(taskbar_.Receive())))) {
    return;
  }
  if (FAILED(taskbar_.Get()->HrInit())) taskbar_.Reset();
}

TaskbarProgress::~TaskbarProgress() {
  if (taskbar_) taskbar_.Get()->SetProgressState(window_, TBPF_NOPROGRESS);
}

void TaskbarProgress::Show(std::uint64_t done, std::uint64_t total) {
  if (taskbar_) taskbar_.Get()->SetProgressValue(window_, done, total);
}

}  // namespace swivex
