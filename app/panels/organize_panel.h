// The organize panel: the script's segments as a list, by title, with buttons
// that move the selected one up or down, and Save and Save As.... It is reached
// from the editor and leads back to it.
#pragma once

#include <cstdint>
#include <optional>

#include "app/script/script.h"

namespace veltrim {

class ProgramEvents;

struct OrganizeControls {
  int back = -1;
  int save_as = -1;
  int save = -1;
  int up = -1;
  int down = -1;
  int list = -1;
};

// One showing of the organize panel: making it creates the controls on
// `window` and lists the segments with nothing selected; destroying it removes
// the controls. The script and the event slot belong to the caller.
class OrganizePanel {
 public:
  OrganizePanel(int window, Script& script, ProgramEvents& events);
  ~OrganizePanel();
  OrganizePanel(const OrganizePanel&) = delete;
  OrganizePanel& operator=(const OrganizePanel&) = delete;

  const OrganizeControls& controls() const { return controls_; }

  // Acts on one event code; true when the panel is done (Back).
  bool act(int code);

 private:
  void move_selected(bool up);

  int window_;
  Script& script_;
  OrganizeControls controls_;
};

// Runs the organize panel until Back and returns event::exit. The new order is
// in the script as soon as a move is made; the panel sequence then opens the
// editor again. The close box asks before unsaved changes are lost.
int handle_organize_panel(int window, Script& script, ProgramEvents& events);

// Places the controls for the window's present size, draws the list's frame and
// shows the page.
void draw_organize_panel(const OrganizeControls& controls);

// Refills the list with one entry per segment (an untitled segment gives an
// empty entry, so entry positions and segment indices always match) and, when
// `selection` names a segment (from 1), selects it.
void populate_segment_listbox(int list, const Script& script, std::optional<std::int32_t> selection = std::nullopt);

// Up is enabled unless nothing or the first entry is selected; down unless
// nothing or the last entry is selected.
void update_organize_buttons(int list, int up, int down);

}  // namespace veltrim
