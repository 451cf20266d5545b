#pragma once

// The program icon's resource identifier, shared by the resource script and the code. The
// resource compiler reads this file too: plain #define only.
#define SWIVEX_PROGRAM_ICON 1
