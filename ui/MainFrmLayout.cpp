#include "ui/MainFrmLayout.h"

#include <windows.h>

#include "ui/MainFrmIds.h"

namespace swivex {

namespace {

using namespace mainform;

constexpr DWORD kDisplayOnly = ES_READONLY | WS_DISABLED;  // flat: no border of any kind

constexpr ControlLayout kControls[] = {
    // kind, name, id, left, top, width, height, caption, style, tab order, container
    {ControlKind::PushButton, "Button1", kButton1, 18, 20, 128, 25, "Convert Swf To Exe", 0, 0},
    {ControlKind::PushButton, "Button2", kButton2, 160, 20, 129, 25, "Convert Exe To Swf", 0, 1},
    {ControlKind::PushButton, "Button3", kButton3, 302, 20, 153, 25, "Set Flash as ScreenSaver", 0,
     2},
    {ControlKind::GroupBox, "GroupBox1", kGroupBox1, 18, 59, 438, 79, "Convert Result:", 0, 3},
    {ControlKind::Label, "Label1", kLabel1, 10, 22, 0, 0, "Source file:", 0, kNoTabStop,
     "GroupBox1"},
    {ControlKind::Label, "Label2", kLabel2, 16, 50, 0, 0, "Taget file:", 0, kNoTabStop,
     "GroupBox1"},
    {ControlKind::Edit, "Edit1", kEdit1, 68, 19, 325, 19, "", kDisplayOnly, 0, "GroupBox1"},
    {ControlKind::Edit, "Edit2", kEdit2, 68, 47, 325, 19, "", kDisplayOnly, 1, "GroupBox1"},
    {ControlKind::PushButton, "Button4", kButton4, 399, 44, 29, 25, "Go", 0, 2, "GroupBox1"},
};

constexpr FormLayout kForm{471, 157, "MS Sans Serif", -11, kControls};

constexpr MenuItemLayout kFileItems[] = {
    {"ConvertSWFtoEXE", "Convert S&WF to EXE", kConvertSWFtoEXE},
    {"ConvertEXEtoSWF", "Convert EXE to SW&F", kConvertEXEtoSWF},
    {"SetasScreenSaver1", "Set Flash as ScreenSave&r", kSetasScreenSaver1},
    {"N1", nullptr, 0},
    {"Exit1", "E&xit", kExit1, {.control = true, .key = 'Q'}},
};

constexpr MenuItemLayout kHelpItems[] = {
    {"Contents1", "&Contents...", kContents1},
    {"About1", "&About...", kAbout1},
};

constexpr MenuLayout kMenus[] = {
    {"File1", "&File", kFileItems},
    {"Help1", "&Help", kHelpItems},
};

}  // namespace

const FormLayout& MainFormLayout() { return kForm; }

std::span<const MenuLayout> MainMenuLayout() { return kMenus; }

}  // namespace swivex
