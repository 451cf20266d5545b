#pragma once

// The platform implementation of the build, for tests that replace single operations of it.
#ifdef _WIN32
#include "platform/Win32Platform.h"
namespace swivex::testing {
using RealPlatform = Win32Platform;
}
#else
#include "platform/PosixPlatform.h"
namespace swivex::testing {
using RealPlatform = PosixPlatform;
}
#endif
