// The program as a person starts it: the window, the preferences, the file
// named on the command line, then one panel after another until Exit.
#pragma once

#include <optional>
#include <string>

namespace veltrim {

class ProgramEvents;

// Opens Veltrim's window, 800 x 600 scaled to the screen, titled "Veltrim" with
// the program's icon, and routes its resizes, left clicks, keys and close box into
// `events`. Returns the window, or a negative number when none could be opened.
int open_program_window(ProgramEvents& events);

// Runs Veltrim with the one file the command line may name, and returns the
// process's exit status.
int run_program(const std::optional<std::string>& file);

}  // namespace veltrim
