#include "tests/e2e/SwivexApp.h"

#include "tests/e2e/E2ePaths.h"
#include "tests/e2e/driver/Controls.h"
#include "tests/e2e/driver/WindowList.h"

namespace swivex::e2e {

std::string ProgramFile(const std::string& name) { return kProgramFolder + name; }

SwivexApp::SwivexApp(const std::string& workingFolder)
    : SwivexApp(workingFolder, ProgramFile("Swivex.exe")) {}

SwivexApp::SwivexApp(const std::string& workingFolder, const std::string& program)
    : process_(program, workingFolder), window_(process_.WaitForWindow(swivexui::kClassName)) {}

HWND SwivexApp::Control(int id) const { return ControlById(window_, id); }

std::string SwivexApp::Source() const { return TextOf(Control(swivexui::kEdit1)); }

std::string SwivexApp::Target() const { return TextOf(Control(swivexui::kEdit2)); }

bool SwivexApp::GoEnabled() const { return IsEnabled(Control(swivexui::kButton4)); }

void SwivexApp::Run(const Command& command) {
  if (command.fromMenu)
    PostCommand(window_, command.id);
  else
    Click(Control(command.id));
}

OpenFileDialog SwivexApp::OpenDialogOf(const Command& command) {
  Run(command);
  return OpenFileDialog::WaitForOwnedBy(window_);
}

void SwivexApp::Pick(const Command& command, const std::string& file) {
  auto dialog = OpenDialogOf(command);
  dialog.TypeFileName(file);
  dialog.Confirm();
}

TextDialog SwivexApp::WaitForTitledDialog() const {
  return TextDialog::WaitFor(process_.ProcessId(), swivexui::kTitle);
}

std::vector<HWND> SwivexApp::VisibleDialogs() const {
  return FindTopLevelWindows({.className = "#32770", .processId = process_.ProcessId()});
}

}  // namespace swivex::e2e
