// Saving from the editor and the organize panel: Save and Save As... with the
// save dialog, and a failure the user is told about rather than one that looks
// like success.
#pragma once

#include <string_view>

#include "app/script/script.h"

namespace veltrim {

// What the save dialog shows.
inline constexpr std::string_view script_filter_name = "Veltrim Script";
inline constexpr std::string_view script_filter = "*.gmi";
inline constexpr std::string_view save_dialog_title = "Save as veltrim script";

// Saves to the script's own file; an untitled script asks for a name as
// save_script_as does. True when the file was written.
bool save_script(Script& script);

// Asks for a file name and saves there. Cancelling writes nothing and changes
// nothing. A file that cannot be written is reported ("Could not save <file>:
// <reason>") and the script keeps the name it had. True when written.
bool save_script_as(Script& script);

}  // namespace veltrim
