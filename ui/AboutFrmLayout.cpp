#include "ui/AboutFrmLayout.h"

#include <windows.h>

#include "resources/Version.h"
#include "ui/AboutFrmIds.h"

namespace swivex {

namespace {

using namespace aboutform;

constexpr FontLayout kProductNameFont{"MS Sans Serif", 14, true};

// The links report clicks (SS_NOTIFY) and so take the mouse, which plain labels let through.
constexpr DWORD kLink = SS_NOTIFY;

constexpr ControlLayout kControls[] = {
    // kind, name, id, left, top, width, height, caption, style, tab order, container, font
    {ControlKind::Label, "ProductName", kProductName, 61, 9, 0, 0, SWIVEX_PRODUCT_NAME, 0,
     kNoTabStop, nullptr, &kProductNameFont},
    {ControlKind::Label, "LabelVersion", kLabelVersion, 61, 33, 0, 0, "Version ", 0, kNoTabStop},
    {ControlKind::Label, "Copyright", kCopyright, 19, 51, 0, 0, SWIVEX_COPYRIGHT, 0, kNoTabStop},
    {ControlKind::Label, "HttpTo", kHttpTo, 19, 102, 0, 0, kMakerHost, kLink, kNoTabStop},
    {ControlKind::Label, "MailTo", kMailTo, 19, 117, 0, 0, kMakerAddress, kLink, kNoTabStop},
    {ControlKind::Label, "Label3", kLabel3, 19, 147, 0, 0,
     "Physical Memory Available to Windows:", 0, kNoTabStop},
    {ControlKind::Label, "PhysMem", kPhysMem, 214, 147, 0, 0, "0", 0, kNoTabStop},
    {ControlKind::Label, "Label4", kLabel4, 19, 163, 0, 0, "Memory in Use:", 0, kNoTabStop},
    {ControlKind::Label, "FreeRes", kFreeRes, 215, 163, 0, 0, "0", 0, kNoTabStop},
};

constexpr FormLayout kForm{300, 192, "MS Sans Serif", -11, kControls};

constexpr DrawnControlLayout kDrawnControls[] = {
    {DrawnKind::Picture, "Image1", kImage1, 19, 12, 32, 32},
    {DrawnKind::Bevel, "Bevel1", kBevel1, 17, 136, 264, 2},
};

}  // namespace

const FormLayout& AboutFormLayout() { return kForm; }

std::span<const DrawnControlLayout> AboutDrawnControls() { return kDrawnControls; }

}  // namespace swivex
