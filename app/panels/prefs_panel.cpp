#include "app/panels/prefs_panel.h"

#include <algorithm>
#include <optional>
#include <string>
#include <tuple>

#include "app/events/event_codes.h"
#include "app/panels/panel_frame.h"
#include "app/events/program_events.h"
#include "app/panels/typed_value_refusal.h"
#include "app/panels/unsaved_changes.h"
#include "app/script/blanks.h"
#include "korvid/korvid.h"

namespace veltrim {
namespace {

constexpr int box_height = 40;
constexpr int font_size_step = 2;
// The box shows this many characters of a number; a wider one shows as stars.
constexpr std::size_t shown_digits = 5;
constexpr std::size_t read_characters = 8;

constexpr std::string_view fixed_total_label = "Fix Total Program Time";
constexpr std::string_view advance_label = "Advance (s):";
constexpr std::string_view back_label = "Back (s):";
// The boxes as a message names them.
constexpr std::string_view advance_box_name = "Advance (s)";
constexpr std::string_view back_box_name = "Back (s)";
constexpr std::string_view preview_text = "Welcome to Veltrim!";

PrefsControls create_controls(ProgramEvents& events) {
  PrefsControls c;
  c.fixed_total =
      korvid::createcheckbox(0, 0, 10, 10, fixed_total_label, post_event(events, event::preference_changed));
  korvid::beginradiogroup();
  c.spread = korvid::createradiobutton(0, 0, 10, 10, "Spread Change to Remaining Segments");
  c.next_segment = korvid::createradiobutton(0, 0, 10, 10, "Apply Change to Next Segment");
  c.advance_box = korvid::createtextbox(0, 0, 10, box_height);
  c.back_box = korvid::createtextbox(0, 0, 10, box_height);
  c.font_list = korvid::createlistbox(0, 0, 10, 10, post_event(events, event::preference_changed));
  for (const std::string_view name : font_names) korvid::insertlistboxentry(c.font_list, -1, name);
  c.larger = korvid::createbutton(0, 0, button_width, button_height, "Larger", post_event(events, event::font_larger));
  c.smaller =
      korvid::createbutton(0, 0, button_width, button_height, "Smaller", post_event(events, event::font_smaller));
  c.back = korvid::createbutton(korvid::getmaxx() - 125, korvid::getmaxy() - 45, button_width, button_height, "Back",
                                post_event(events, event::exit));
  return c;
}

// The controls show the mode a presentation will run, also for a number in the
// file that names no mode.
void set_time_mode_controls(const PrefsControls& c, TimeMode mode) {
  korvid::checkboxsetchecked(c.fixed_total, mode != TimeMode::unfixed);
  korvid::radiobuttonsetchecked(mode == TimeMode::next_segment ? c.next_segment : c.spread, true);
}

std::int32_t time_mode_from_controls(const PrefsControls& c) {
  if (korvid::checkboxischecked(c.fixed_total) == 0) return static_cast<std::int32_t>(TimeMode::unfixed);
  if (korvid::radiobuttonischecked(c.spread) != 0) return static_cast<std::int32_t>(TimeMode::spread);
  return static_cast<std::int32_t>(TimeMode::next_segment);
}

// A number as its box shows it.
std::string integer_box_text(std::int32_t value) {
  std::string text = std::to_string(value);
  if (text.size() > shown_digits) text = std::string(shown_digits, '*');
  return text;
}

// Returns the y below the time settings.
int layout_time_settings(const PrefsControls& c, int x0, int y) {
  y += draw_pref_heading(x0, y, "Time Settings");
  const int h = korvid::textheight(fixed_total_label);
  const int width = korvid::getmaxx() + 1 - x0;
  korvid::setcheckboxposition(c.fixed_total, x0, y, width, h);
  y += h + 5;
  korvid::setradiobuttonposition(c.spread, x0, y, width, h);
  y += h + 2;
  korvid::setradiobuttonposition(c.next_segment, x0, y, width, h);
  y += h + 2;
  // Where a change goes only matters while the total is fixed.
  const bool fixed = korvid::checkboxischecked(c.fixed_total) != 0;
  korvid::enablebutton(c.spread, fixed);
  korvid::enablebutton(c.next_segment, fixed);
  return y + 9;
}

int layout_increments(const PrefsControls& c, int x0, int y) {
  y += draw_pref_heading(x0, y, "Increment Control");
  const int d = (box_height - korvid::textheight("Advance (s)")) / 2;
  const int box_width = 2 * korvid::textwidth("999");
  korvid::outtextxy(x0, y + d, advance_label);
  korvid::settextboxposition(c.advance_box, x0 + korvid::textwidth(advance_label) + 2, y, box_width, box_height);
  const int b = korvid::textwidth("Advance (s):   999  999") + 30;
  korvid::outtextxy(x0 + b, y + d, back_label);
  korvid::settextboxposition(c.back_box, x0 + b + korvid::textwidth(back_label) + 2, y, box_width, box_height);
  return y + 49;
}

// A box's number: up to its first 8 characters read as one integer; nothing
// when that is empty, not a number or negative.
std::optional<std::int32_t> box_number(const std::string& text) {
  const std::string first = text.substr(0, read_characters);
  if (first.empty()) return std::nullopt;
  const std::optional<std::int32_t> number = read_free_form_integer(first);
  if (!number || *number < 0) return std::nullopt;
  return number;
}

// The seconds Back takes from a "+" or "-" box: the field as it is when the box
// is empty or still shows it (a value too wide for the box shows as stars), the
// number typed when it is one the time panel applies, nothing otherwise.
std::optional<std::int32_t> seconds_from_box(int box, std::int32_t current) {
  const std::string text = korvid::gettextboxcontents(box);
  if (is_blank(text) || without_trailing_blanks(without_leading_blanks(text)) == integer_box_text(current)) {
    return current;
  }
  const std::optional<std::int32_t> number = box_number(text);
  if (!number || *number > largest_nudge_seconds) return std::nullopt;
  return number;
}

int layout_font_choice(const PrefsControls& c, int x0, int y) {
  y += draw_pref_heading(x0, y, "Display Font") + 3;
  const int w = korvid::textwidth("Sans Serif Bold");
  korvid::rectangle(x0, y, x0 + w, y + 80);
  korvid::setlistboxposition(c.font_list, x0 + 1, y + 1, w - 2, 78);
  korvid::setbuttonposition(c.larger, x0 + w + 5, y, button_width, button_height);
  korvid::setbuttonposition(c.smaller, x0 + w + 5, y + 40, button_width, button_height);
  return y + 85;
}

}  // namespace

std::int32_t get_integer_textbox(int box, std::int32_t fallback) {
  return box_number(korvid::gettextboxcontents(box)).value_or(fallback);
}

void set_integer_textbox(int box, std::int32_t value) { korvid::settextboxcontents(box, integer_box_text(value)); }

PreferencesPanel::PreferencesPanel(int window, Preferences& preferences, ProgramEvents& events,
                                   const Platform& platform, const Script& script)
    : window_(window), preferences_(preferences), events_(events), platform_(platform), script_(script) {
  korvid::setcurrentwindow(window_);
  begin_panel_page();
  korvid::settextstyle(korvid::font::sans, korvid::horiz_dir, panel_text_size);
  controls_ = create_controls(events_);
  set_integer_textbox(controls_.advance_box, preferences_.advance_seconds);
  set_integer_textbox(controls_.back_box, preferences_.hold_seconds);
  set_time_mode_controls(controls_, effective_time_mode(preferences_));
  controls_.view_options = create_view_option_boxes(preferences_.view);
  draw();
}

PreferencesPanel::~PreferencesPanel() {
  korvid::setcurrentwindow(window_);
  korvid::removebutton(controls_.back);
  korvid::removecheckbox(controls_.fixed_total);
  korvid::removeradiobutton(controls_.spread);
  korvid::removeradiobutton(controls_.next_segment);
  korvid::removetextbox(controls_.advance_box);
  korvid::removetextbox(controls_.back_box);
  korvid::removelistbox(controls_.font_list);
  korvid::removebutton(controls_.larger);
  korvid::removebutton(controls_.smaller);
  remove_view_option_boxes(controls_.view_options);
}

bool PreferencesPanel::act(int code) {
  korvid::setcurrentwindow(window_);
  switch (code) {
    case event::exit:
      return store_and_save();
    case event::preference_changed:
    case event::resize: {
      const int selected = korvid::getlistboxselection(controls_.font_list);
      if (selected >= 0 && selected < static_cast<int>(fonts.size())) {
        preferences_.font_face = fonts[static_cast<std::size_t>(selected)];
      }
      draw();
      return false;
    }
    case event::font_larger:
      // The size in the file may be any integer: it is brought into range before
      // the step, so the step can neither overflow nor go unseen.
      preferences_.font_size = std::min(effective_font_size(preferences_) + font_size_step, largest_font_size);
      draw();
      return false;
    case event::font_smaller:
      preferences_.font_size = std::max(effective_font_size(preferences_) - font_size_step, smallest_font_size);
      draw();
      return false;
    case event::close_requested:
      end_program_if_confirmed(script_);
      return false;
    default:
      return exit_panel_loop_event(code);
  }
}

bool PreferencesPanel::store_and_save() {
  const auto advance = seconds_from_box(controls_.advance_box, preferences_.advance_seconds);
  const auto hold = seconds_from_box(controls_.back_box, preferences_.hold_seconds);
  // A number that cannot be used is said, and the panel stays with it in its
  // box; nothing is stored until both boxes can be.
  for (const auto& [seconds, box, label] : {std::tuple(advance, controls_.advance_box, advance_box_name),
                                            std::tuple(hold, controls_.back_box, back_box_name)}) {
    if (seconds) continue;
    korvid::dlgmessage(korvid::message_error,
                       seconds_refusal(korvid::gettextboxcontents(box), label, largest_nudge_seconds));
    return false;
  }
  preferences_.time_mode = time_mode_from_controls(controls_);
  preferences_.advance_seconds = *advance;
  preferences_.hold_seconds = *hold;
  preferences_.view = read_view_option_boxes(controls_.view_options);
  // The user chose these settings on purpose: a failure to keep them is said.
  const WriteResult result = save_user_preferences(preferences_, platform_.environment);
  if (!result.written) korvid::dlgmessage(korvid::message_error, std::string(prefs_save_failed) + result.reason);
  return true;
}

void PreferencesPanel::draw() const {
  begin_panel_page();
  korvid::settextstyle(korvid::font::sans, korvid::horiz_dir, panel_text_size);
  const int x0 = (korvid::getmaxx() + 1) / 6;
  int y = (korvid::getmaxy() + 1) / 4;
  y = layout_time_settings(controls_, x0, y);
  y = layout_increments(controls_, x0, y);
  y = layout_font_choice(controls_, x0, y);
  korvid::settextstyle(effective_font_face(preferences_), korvid::horiz_dir, effective_font_size(preferences_));
  korvid::outtextxy(x0, y, preview_text);
  korvid::settextstyle(korvid::font::sans, korvid::horiz_dir, panel_text_size);
  place_bottom_buttons({controls_.back});
  place_view_option_boxes(controls_.view_options);
  display_logo(platform_.program_directory);
  korvid::swapbuffers();
}

int handle_preferences_panel(int window, Preferences& preferences, ProgramEvents& events,
                             const Platform& platform, const Script& script) {
  PreferencesPanel panel(window, preferences, events, platform, script);
  return run_panel(window, events, panel);
}

}  // namespace veltrim
