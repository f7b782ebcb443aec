#include "app/panel_sequence.h"

#include <chrono>

#include "app/panels/editor_panel.h"
#include "app/events/event_codes.h"
#include "app/panels/import_panel.h"
#include "app/panels/organize_panel.h"
#include "app/panels/prefs_panel.h"
#include "app/panels/report_panel.h"
#include "app/present/presentation_loop.h"
#include "app/panels/start_panel.h"
#include "app/panels/unsaved_changes.h"
#include "korvid/korvid.h"

namespace veltrim {
namespace {

// What the desktop is told when asked to keep the screen awake.
constexpr std::string_view screen_saver_reason = "Presenting a talk";

// The presentation, with the screen kept awake while it runs; with "Start Full
// Screen" it fills the screen and leaving gives the window back as it was;
// then the report of how it went.
void present(ProgramState& state) {
  if (state.script.script_is_empty()) return;
  const bool enter_full_screen = state.preferences.view.start_full_screen && !korvid::isfullscreen();
  if (enter_full_screen) korvid::setfullscreen(true);
  korvid::inhibitscreensaver(screen_saver_reason);
  Script& script = state.script;
  const ReportContext context{state.window, script, state.events, state.platform};
  Rehearsal_recorder recorder(script, std::chrono::system_clock::now());
  // The close box asks about unsaved changes while the presentation goes on;
  // the run so far is kept first, as the program may end there.
  const auto close_requested = [&] {
    keep_rehearsal_so_far(context, recorder);
    end_program_if_confirmed(script);
  };
  run_presentation(script, state.renderer, state.preferences, state.clock, state.events, close_requested,
                   &recorder);
  korvid::releasescreensaver();
  if (enter_full_screen) korvid::setfullscreen(false);
  review_rehearsal(context, recorder);
}

// An imported script replaces the current one; the start panel has made sure
// that nothing unsaved is lost by that.
void import(ProgramState& state) {
  Script imported;
  handle_import_panel(state.window, imported, state.events, state.platform, state.preferences, state.script);
  if (imported.script_is_empty()) return;
  state.script = std::move(imported);
}

// Acts on one action code. Returns a code to act on at once, without showing
// the start panel first (the editor and the organize panel hand over to each
// other this way), or 0 to go back to the start panel.
int act_on(ProgramState& state, int code) {
  switch (code) {
    case event::start:
      present(state);
      return 0;
    case event::preferences:
      handle_preferences_panel(state.window, state.preferences, state.events, state.platform, state.script);
      return 0;
    case event::edit:
      return handle_editor_panel(state.window, state.script, state.events, state.preferences, state.platform) ==
                     event::organize
                 ? event::organize
                 : 0;
    case event::organize:
      handle_organize_panel(state.window, state.script, state.events);
      return event::edit;
    case event::import:
      import(state);
      return 0;
    default:
      return 0;
  }
}

}  // namespace

void run_panel_sequence(ProgramState& state) {
  for (;;) {
    int code = handle_start_panel({state.window, state.script, state.events, state.platform});
    if (code == event::exit) return;
    while (code != 0) code = act_on(state, code);
  }
}

}  // namespace veltrim
