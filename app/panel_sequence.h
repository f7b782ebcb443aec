// The panel sequence: one full-window panel at a time, chosen by the action
// code the previous one returned. The start panel is the hub.
#pragma once

#include "app/system/platform.h"
#include "app/system/prefs.h"
#include "app/script/script.h"

namespace veltrim {

class Clock;
class Korvid_renderer;
class ProgramEvents;

// The long-lived objects the panels and the presentation share.
struct ProgramState {
  int window = 0;
  Script& script;
  Preferences& preferences;
  Korvid_renderer& renderer;
  ProgramEvents& events;
  Clock& clock;
  const Platform& platform;
};

// Runs panels until the start panel returns Exit.
void run_panel_sequence(ProgramState& state);

}  // namespace veltrim
