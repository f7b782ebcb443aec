#include "app/panels/organize_panel.h"

#include <algorithm>
#include <string>

#include "app/events/event_codes.h"
#include "app/panels/panel_frame.h"
#include "app/events/program_events.h"
#include "app/panels/script_saving.h"
#include "app/panels/unsaved_changes.h"
#include "korvid/korvid.h"

namespace veltrim {
namespace {

constexpr int list_size = 20;
constexpr int side_button = 40;

}  // namespace

void draw_organize_panel(const OrganizeControls& controls) {
  begin_panel_page();
  korvid::settextstyle(korvid::font::sans, korvid::horiz_dir, panel_text_size);
  const int maxx = korvid::getmaxx();
  const int maxy = korvid::getmaxy();
  place_bottom_buttons({controls.back, controls.save_as, controls.save});
  korvid::setbuttonposition(controls.up, maxx - 45, 5, side_button, side_button);
  korvid::setbuttonposition(controls.down, maxx - 45, 50, side_button, side_button);
  korvid::rectangle(5, 5, maxx - 50, maxy - 50);
  korvid::setlistboxposition(controls.list, 6, 6, maxx - 56, maxy - 56);
  korvid::swapbuffers();
}

void populate_segment_listbox(int list, const Script& script, std::optional<std::int32_t> selection) {
  korvid::clearlistboxentries(list);
  const auto segments = script.segments();
  for (std::size_t i = 0; i < segments.size(); ++i) {
    korvid::insertlistboxentry(list, static_cast<int>(i), segments[i].title().value_or(std::string()));
  }
  if (selection && *selection >= 1 && *selection <= script.script_number_segments()) {
    korvid::setlistboxselection(list, *selection - 1);
  }
}

void update_organize_buttons(int list, int up, int down) {
  const int selected = korvid::getlistboxselection(list);
  const int last = korvid::getlistboxlength(list) - 1;
  korvid::enablebutton(up, selected > 0);
  korvid::enablebutton(down, selected >= 0 && selected < last);
}

OrganizePanel::OrganizePanel(int window, Script& script, ProgramEvents& events)
    : window_(window), script_(script) {
  korvid::setcurrentwindow(window_);
  begin_panel_page();
  korvid::settextstyle(korvid::font::sans, korvid::horiz_dir, panel_text_size);
  OrganizeControls& c = controls_;
  // Everything is placed when the page is drawn.
  const auto button = [&events](int width, int height, std::string_view caption, int code) {
    return korvid::createbutton(0, 0, width, height, caption, post_event(events, code));
  };
  c.back = button(button_width, button_height, "Back", event::exit);
  c.save_as = button(button_width, button_height, "Save As...", event::save_as);
  c.save = button(button_width, button_height, "Save", event::save);
  c.up = button(side_button, side_button, "\u25B2", event::move_up);
  c.down = button(side_button, side_button, "\u25BC", event::move_down);
  korvid::settextstyle(korvid::font::sans, korvid::horiz_dir, list_size);
  c.list = korvid::createlistbox(0, 0, button_width, button_height,
                                 post_event(events, event::organize_segment_selected));
  populate_segment_listbox(c.list, script_);
  draw_organize_panel(c);
  update_organize_buttons(c.list, c.up, c.down);
}

OrganizePanel::~OrganizePanel() {
  for (const int id : {controls_.back, controls_.save_as, controls_.save, controls_.up, controls_.down}) {
    korvid::removebutton(id);
  }
  korvid::removelistbox(controls_.list);
}

// Moves the selected segment one place and keeps it selected. The first
// cannot go up nor the last down; those moves change nothing.
void OrganizePanel::move_selected(bool up) {
  const int selected = korvid::getlistboxselection(controls_.list);
  if (selected < 0) return;
  const std::int32_t index = selected + 1;
  const std::int32_t count = script_.script_number_segments();
  const std::int32_t target = up ? std::max(index - 1, 1) : std::min(index + 1, count);
  if (target != index) {
    if (up) {
      script_.script_move_segment_up(index);
    } else {
      script_.script_move_segment_down(index);
    }
    script_.mark_changed();
  }
  populate_segment_listbox(controls_.list, script_, target);
  update_organize_buttons(controls_.list, controls_.up, controls_.down);
}

bool OrganizePanel::act(int code) {
  korvid::setcurrentwindow(window_);
  switch (code) {
    case event::save: save_script(script_); break;
    case event::save_as: save_script_as(script_); break;
    case event::move_up: move_selected(true); break;
    case event::move_down: move_selected(false); break;
    case event::organize_segment_selected: update_organize_buttons(controls_.list, controls_.up, controls_.down); break;
    case event::resize:
    case event::preference_changed: draw_organize_panel(controls_); break;
    case event::close_requested: end_program_if_confirmed(script_); break;
    default: break;
  }
  return exit_panel_loop_event(code);
}

int handle_organize_panel(int window, Script& script, ProgramEvents& events) {
  OrganizePanel panel(window, script, events);
  return run_panel(window, events, panel);
}

}  // namespace veltrim
