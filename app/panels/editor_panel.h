// The editor: the panel in which the presenter writes a script, one segment at
// a time (name, length and gemtext body), chosen from a drop-down list of all
// segments. It also adds and deletes segments, saves, and hands over to the
// organize panel for reordering.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "app/panels/editor_writeback.h"
#include "app/system/platform.h"
#include "app/system/prefs.h"
#include "app/script/script.h"

namespace veltrim {

class ProgramEvents;

// Shown when a segment's boxes cannot be stored because one of them is empty.
inline constexpr std::string_view incomplete_fields_message = "Please make sure all fields are entered properly";

// The editor's controls, by identifier.
struct EditorControls {
  int help = -1;
  int back = -1;
  int save_as = -1;
  int save = -1;
  int organize = -1;
  int add = -1;
  int segment_list = -1;
  int name_box = -1;
  int length_box = -1;
  int delete_button = -1;
  // Cut, copy, paste, heading, list item and link, left to right.
  std::array<int, 6> formatting{-1, -1, -1, -1, -1, -1};
  int body_box = -1;
};

// One showing of the editor. Making it creates the controls on `window`, gives
// an empty script its first segment and shows segment 1; destroying it removes
// the controls. The script, the event slot and the preferences belong to the
// caller and must outlive the panel.
class EditorPanel {
 public:
  EditorPanel(int window, Script& script, ProgramEvents& events, const Preferences& preferences,
              const Platform& platform);
  ~EditorPanel();
  EditorPanel(const EditorPanel&) = delete;
  EditorPanel& operator=(const EditorPanel&) = delete;

  const EditorControls& controls() const { return controls_; }
  // The segment on show, from 1.
  std::int32_t current() const { return current_; }

  // Acts on one event code. True when the panel is done: Organize or Back was
  // pressed and the boxes could be stored (the script's lines are then brought
  // up to date).
  bool act(int code);

 private:
  void create_controls(ProgramEvents& events, const Preferences& preferences, const Platform& platform);
  void remove_controls();
  void fill_controls();
  bool keep_typed_text();
  bool write_back();
  void choose_segment();
  void add_segment();
  void delete_segment();
  bool leave();
  void close_requested();

  int window_;
  Script& script_;
  EditorControls controls_;
  std::int32_t current_ = 1;
  FilledBoxes filled_;  // what the boxes were last filled with
};

// Runs the editor until Organize or Back and returns that action code:
// event::organize (the panel sequence runs the organize panel next and comes
// back) or event::exit (back to the start panel). The window's close box
// (event::close_requested) asks before unsaved changes are lost and, when the
// user keeps them, the editor carries on.
int handle_editor_panel(int window, Script& script, ProgramEvents& events, const Preferences& preferences,
                        const Platform& platform);

// Places the controls for the window's present size, draws the labels and the
// script's total time, and shows the page.
void draw_editor_panel(const Script& script, const EditorControls& controls);

}  // namespace veltrim
