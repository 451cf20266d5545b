#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace swivex::e2e {

// Drops the files on a window of another process as the shell does: a DROPFILES block with the
// names, in the receiving process's memory, handed over with WM_DROPFILES. The window reads it
// with DragQueryFile and lets it go with DragFinish. Throws DriverError if it cannot.
void DropFiles(HWND window, const std::vector<std::string>& files);

}  // namespace swivex::e2e
