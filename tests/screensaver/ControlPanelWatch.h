#pragma once

#include <string>

namespace swivex::testing {

// What the stand-in Display control panel (desk.cpl, started through RunDLL32) was asked for.

// The pages recorded once the control panel has been started and has finished; a failure of
// the test when none is recorded in time.
std::string PagesOnceTheControlPanelIsDone();

// The pages recorded once no control panel runs any more: empty if none was started.
std::string PagesOnceNoControlPanelRuns();

// Forgets the pages recorded so far.
void ForgetRecordedPages();

// True once no RunDLL32 runs, false if one still runs when the time is up.
bool NoControlPanelRunsInTime();

}  // namespace swivex::testing
