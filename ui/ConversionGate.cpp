#include "ui/ConversionGate.h"

#include "ui/MainFrmIds.h"

namespace swivex {

bool ConversionGate::AllowsCommand(int command) const {
  return !Converting() || command == mainform::kExit1;
}

bool ConversionGate::TakesDrop(HWND window) const {
  return !Converting() && !closing_ && ::IsWindowEnabled(window);
}

OutsideFiles ConversionGate::ForOutsideFiles(HWND window) const {
  if (closing_) return OutsideFiles::Refuse;
  if (Converting()) return OutsideFiles::Join;
  if (!::IsWindowEnabled(window)) return OutsideFiles::Wait;
  return OutsideFiles::Start;
}

}  // namespace swivex
