#include "tests/e2e/driver/OpenFileDialog.h"

#include "tests/e2e/driver/Controls.h"
#include "tests/e2e/driver/WideText.h"
#include "tests/e2e/driver/WindowList.h"

namespace swivex::e2e {

namespace {

constexpr int kFileNameField = 0x47c;  // cmb13

}  // namespace

OpenFileDialog OpenFileDialog::WaitForOwnedBy(HWND owner, Timeout timeout) {
  const WindowQuery query{.className = "#32770", .processId = ProcessOf(owner), .owner = owner};
  return OpenFileDialog(WaitFor<HWND>(
      [&]() -> std::optional<HWND> {
        for (HWND window : FindTopLevelWindows(query))
          if (::GetDlgItem(window, kFileNameField)) return window;
        return std::nullopt;
      },
      "an open-file dialog: " + query.Describe(), timeout));
}

RECT OpenFileDialog::Rect() const { return WindowRect(window_); }

HWND OpenFileDialog::FileNameField() const { return ControlById(window_, kFileNameField); }

std::string OpenFileDialog::FileName() const { return TextOf(FileNameField()); }

void OpenFileDialog::TypeFileName(const std::string& name) {
  DWORD_PTR ignored = 0;
  const std::wstring wide = WideFromAnsi(name);
  ::SendMessageTimeoutW(FileNameField(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()),
                        SMTO_ABORTIFHUNG, 5000, &ignored);
  WaitUntil([&] { return FileName() == name; }, "the file name field to show \"" + name + "\"");
}

void OpenFileDialog::Confirm() {
  Click(ControlById(window_, IDOK));
  WaitUntilClosed(window_, "the open-file dialog");
}

void OpenFileDialog::Cancel() {
  PostCommand(window_, IDCANCEL);
  WaitUntilClosed(window_, "the open-file dialog");
}

}  // namespace swivex::e2e
