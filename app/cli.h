// The command line: what `veltrim` does with its arguments before any window
// opens. `main` asks it first; when it has handled the arguments the program
// ends with the status it gives.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "app/script/script_file.h"

namespace veltrim {

// Handles --help, --version, --outline FILE and --report FILE, which never
// open a window, and returns the exit status. Returns nothing when the program
// should start normally with these arguments. `args` leaves out the program's
// name.
std::optional<int> handle_command_line(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

// The same for main's arguments, on standard output and standard error.
std::optional<int> handle_command_line(int argc, char** argv);

// Loads the file named on the command line the way the program opens it: a
// .gmi script as it is; a Markdown (.md) file through marktext, with lengths
// estimated at `words_per_minute` for headings that carry none; a PowerPoint
// (.pptx) deck's slides through slidetext at the same rate. Converted scripts
// are untitled. Any other ending fails.
Script load_command_line_file(const std::string& path, Load_status& status, std::int32_t words_per_minute);

// One line per segment: its number, a tab, its length as the file writes it,
// a tab and its title; then "total", a tab and the runtime. LF line ends.
std::string script_outline(const Script& script);

}  // namespace veltrim
