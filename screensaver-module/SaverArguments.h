#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace swivex::glowdrift {

// What Windows asks a screen saver to do, by the command line it starts it with.
enum class SaverMode {
  Show,       // "/s": cover the screens until the user comes back
  Preview,    // "/p <window>": draw inside the Display control panel's little monitor
  Configure,  // "/c", "/c:<window>" or nothing at all: the settings dialog
  Invalid,    // anything else
};

struct SaverArguments {
  SaverMode mode = SaverMode::Configure;
  // The preview's parent for Preview, the dialog's owner for Configure (0: none), as the decimal
  // window number that Windows wrote.
  std::uintptr_t window = 0;
  // For Invalid: one sentence for the user about what was wrong.
  std::string problem;
};

// Reads the command line after the program's name. The switch may start with "/" or "-", its
// letter may be of either case, and a window number may follow after blanks or a ":".
SaverArguments ParseSaverArguments(std::string_view commandTail);

}  // namespace swivex::glowdrift
