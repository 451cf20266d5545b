#pragma once

// The program's version and the texts of its version block: the one place they are written.
// Included by the resource script (the version block) and by the program's code alike, so it
// holds nothing but preprocessor definitions. CMakeLists.txt's project() repeats the version;
// a test checks that the two agree.

#define SWIVEX_VERSION_MAJOR 1
#define SWIVEX_VERSION_MINOR 0
#define SWIVEX_VERSION_RELEASE 1
#define SWIVEX_VERSION_BUILD 7

#define SWIVEX_STRINGIZE(x) #x
#define SWIVEX_DOTTED(a, b, c, d) SWIVEX_STRINGIZE(a.b.c.d)
// "1.0.1.7"
#define SWIVEX_VERSION_TEXT                                                         \
  SWIVEX_DOTTED(SWIVEX_VERSION_MAJOR, SWIVEX_VERSION_MINOR, SWIVEX_VERSION_RELEASE, \
                SWIVEX_VERSION_BUILD)

#define SWIVEX_PRODUCT_NAME "Swivex"
#define SWIVEX_FILE_DESCRIPTION "Swivex - projectors and screen savers from Flash movies"
#define SWIVEX_COMPANY_NAME "Swivex developers"
// "\251" is the copyright sign in Windows-1252, the code page of the version block's strings.
#define SWIVEX_COPYRIGHT "Copyright \251 2026 Swivex developers"
#define SWIVEX_ORIGINAL_FILENAME "Swivex.exe"
