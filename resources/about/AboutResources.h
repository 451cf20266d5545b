#pragma once

// Resource numbers of the About box, shared by its resource script and its code.

// The About picture, a JPEG file stored as raw data (RCDATA).
#define SWIVEX_ABOUT_PICTURE 3301
