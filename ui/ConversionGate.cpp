#include "ui/ConversionGate.h"

#include "ui/MainFrmIds.h"

namespace swivex {

bool ConversionGate::AllowsCommand(int command) const {
  return (!Converting() && closing_ == Closing::No) || command == mainform::kExit1;
}

bool ConversionGate::TakesDrop(HWND window) const {
  return !Converting() && closing_ == Closing::No && ::IsWindowEnabled(window);
}

OutsideFiles ConversionGate::ForOutsideFiles(HWND window) const {
  if (Converting()) return OutsideFiles::Join;
  if (!::IsWindowEnabled(window)) return OutsideFiles::Wait;
  return OutsideFiles::Start;
}

}  // namespace swivex
