#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/driver/OpenFileDialog.h"
#include "tests/e2e/driver/RunningProgram.h"
#include "tests/e2e/driver/TextDialog.h"

namespace swivex::e2e {

// What a driver knows of Swivex's main window: its class, caption, control IDs and menu
// command IDs.
namespace swivexui {

inline constexpr char kClassName[] = "TMainForm";
inline constexpr char kTitle[] = "Swivex 1.0";

inline constexpr int kButton1 = 101;  // "Convert Swf To Exe"
inline constexpr int kButton2 = 102;  // "Convert Exe To Swf"
inline constexpr int kButton3 = 103;  // "Set Flash as ScreenSaver"
inline constexpr int kGroupBox1 = 104;
inline constexpr int kLabel1 = 105;
inline constexpr int kLabel2 = 106;
inline constexpr int kEdit1 = 107;    // source path
inline constexpr int kEdit2 = 108;    // target path
inline constexpr int kButton4 = 109;  // "Go"

inline constexpr int kConvertSWFtoEXE = 201;
inline constexpr int kConvertEXEtoSWF = 202;
inline constexpr int kSetasScreenSaver1 = 203;
inline constexpr int kExit1 = 204;
inline constexpr int kContents1 = 205;
inline constexpr int kAbout1 = 206;

inline constexpr char kSuccess[] = "File has been converted successfully!";
inline constexpr char kUnknownType[] = "Unknown type of executable flash file!";
inline constexpr char kCancelled[] = "The conversion was cancelled.";

// The progress window of a long conversion.
inline constexpr char kProgressClassName[] = "TProgressForm";
inline constexpr int kMovieName = 101;
inline constexpr int kProgressBar = 102;
inline constexpr int kPercent = 103;
inline constexpr int kFileCount = 104;  // "3 of 300"
inline constexpr int kCancelButton = IDCANCEL;

}  // namespace swivexui

// A file of the program folder, as the program itself names it.
std::string ProgramFile(const std::string& name);

// One of the main window's commands, started from its button or its menu item.
struct Command {
  const char* name;
  int id;
  bool fromMenu;
};

// Swivex.exe, started from its program folder, with its main window.
class SwivexApp {
 public:
  explicit SwivexApp(const std::string& workingFolder = "",
                     const std::vector<std::string>& arguments = {});
  // Swivex.exe of another folder than the build's: an installed, unpacked or copied program
  // folder.
  struct Copy {
    std::string folder;  // ends with a backslash
  };
  explicit SwivexApp(const Copy& copy, const std::string& workingFolder = "");

  RunningProgram& Process() { return process_; }
  HWND Window() const { return window_; }
  HWND Control(int id) const;
  std::string Source() const;  // Edit1
  std::string Target() const;  // Edit2
  bool GoEnabled() const;

  void Run(const Command& command);
  // Runs the command and waits for the open-file dialog that it shows.
  OpenFileDialog OpenDialogOf(const Command& command);
  // Runs the command and picks `file` in its dialog.
  void Pick(const Command& command, const std::string& file);

  // The message dialog or the error box: both are titled with the program's title.
  TextDialog WaitForTitledDialog() const;
  // Swivex's visible dialogs of any kind.
  std::vector<HWND> VisibleDialogs() const;

 private:
  RunningProgram process_;
  HWND window_;
};

// The main window's commands as a user reaches them.
inline constexpr Command kSwfToExeButton{"Button1", swivexui::kButton1, false};
inline constexpr Command kExeToSwfButton{"Button2", swivexui::kButton2, false};
inline constexpr Command kScreenSaverButton{"Button3", swivexui::kButton3, false};
inline constexpr Command kSwfToExeMenu{"ConvertSWFtoEXE", swivexui::kConvertSWFtoEXE, true};
inline constexpr Command kExeToSwfMenu{"ConvertEXEtoSWF", swivexui::kConvertEXEtoSWF, true};
inline constexpr Command kScreenSaverMenu{"SetasScreenSaver1", swivexui::kSetasScreenSaver1, true};

}  // namespace swivex::e2e
