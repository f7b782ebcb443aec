// The start panel: the hub the program returns to between everything else.
#pragma once

#include "app/system/platform.h"
#include "app/script/script.h"

namespace veltrim {

class ProgramEvents;

struct StartPanelContext {
  int window = 0;
  Script& script;  // read for the summary, replaced by New and Open...
  ProgramEvents& events;
  const Platform& platform;
};

// Runs the start panel until the user picks something the panel sequence acts
// on and returns its action code: Exit, Start!, Preferences, Edit or Import....
// New and Open... are handled here; New leaves with Edit on a fresh script.
// Exit and Import... come back only when nothing unsaved would be lost or the
// user agreed to drop it.
int handle_start_panel(StartPanelContext context);

// "Segments: 5    Runtime (minutes, approx): 12" for the summary block.
std::string script_summary_line(const Script& script);

// Loads `file` and, only when that worked, makes it the current script. On
// failure the current script stays as it was and the user is told why.
bool open_script_file(Script& script, const std::string& file);

}  // namespace veltrim
