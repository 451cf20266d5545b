#include "ui/ProgressFrmLayout.h"

#include <windows.h>

#include "ui/ProgressFrmIds.h"

namespace swivex {

namespace {

using namespace progressform;

constexpr ControlLayout kControls[] = {
    // kind, name, id, left, top, width, height, caption, style, tab order
    {ControlKind::Label, "MovieName", kMovieName, 12, 12, 316, 13, "", SS_ENDELLIPSIS, kNoTabStop},
    {ControlKind::ProgressBar, "ProgressBar", kProgressBar, 12, 33, 266, 17, "", 0, kNoTabStop},
    {ControlKind::Label, "Percent", kPercent, 290, 35, 38, 13, "0%", 0, kNoTabStop},
    {ControlKind::Label, "FileCount", kFileCount, 12, 68, 229, 13, "", 0, kNoTabStop},
    {ControlKind::PushButton, "CancelButton", kCancelButton, 253, 62, 75, 25, "Cancel",
     BS_DEFPUSHBUTTON, 0},
};

constexpr FormLayout kForm{340, 99, "MS Sans Serif", -11, kControls};

}  // namespace

const FormLayout& ProgressFormLayout() { return kForm; }

}  // namespace swivex
