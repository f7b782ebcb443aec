// The program as a person starts it: the window, the preferences, the file
// named on the command line, then one panel after another until Exit.
#pragma once

#include <optional>
#include <string>

namespace veltrim {

// Runs Veltrim with the one file the command line may name, and returns the
// process's exit status.
int run_program(const std::optional<std::string>& file);

}  // namespace veltrim
