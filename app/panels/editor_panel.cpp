#include "app/panels/editor_panel.h"

#include <string>

#include "app/panels/editor_body.h"
#include "app/panels/editor_writeback.h"
#include "app/events/event_codes.h"
#include "app/panels/panel_frame.h"
#include "app/events/program_events.h"
#include "app/events/program_keys.h"
#include "app/panels/script_saving.h"
#include "app/panels/unsaved_changes.h"
#include "app/script/blanks.h"
#include "korvid/korvid.h"

namespace veltrim {
namespace {

constexpr int button_step = button_width + 5;
constexpr int list_width = 240;
constexpr int small_button = 30;
constexpr int name_top = 55;
constexpr int length_top = 100;
constexpr int formatting_top = 145;
constexpr int body_top = 177;

constexpr std::string_view name_label = "Segment Name: ";
constexpr std::string_view length_label = "Length (M:SS):";
constexpr std::string_view goto_label = "Goto: ";

// The formatting buttons, left to right: clipboard first, then markup.
struct FormattingButton {
  std::string_view caption;
  int event;
};
constexpr std::array<FormattingButton, 6> formatting_buttons{{
    {"\u2700", event::cut},               // scissors
    {"\u29C9", event::copy},              // two joined squares
    {"\U0001F4CB", event::paste},         // clipboard
    {"H", event::insert_heading},
    {"\u25AA", event::insert_list_item},  // small black square
    {"\U0001F517", event::insert_link},   // link symbol
}};
// A divider separates the clipboard buttons from the markup buttons.
constexpr std::size_t buttons_before_divider = 3;

int name_box_left() { return korvid::textwidth(name_label) + 10; }

std::string total_time_text(const Script& script) {
  return "Total Time: " + std::to_string(script.script_runtime() / 60) + " minutes";
}

// Delete's question names the segment as its name box shows it: the one the
// user is looking at.
std::string delete_question(std::string_view title) {
  const std::string_view name = without_trailing_blanks(title);
  if (name.empty()) return "Delete this segment?";
  return "Delete the segment " + std::string(name) + "?";
}

void place_formatting_buttons(const EditorControls& controls) {
  int x = 5;
  for (std::size_t i = 0; i < controls.formatting.size(); ++i) {
    korvid::setbuttonposition(controls.formatting[i], x, formatting_top, small_button, small_button);
    if (i + 1 == buttons_before_divider) {
      korvid::line(x + 33, formatting_top + 2, x + 33, formatting_top + 28);
      x += 36;
    } else {
      x += 32;
    }
  }
}

// The top row: Organize and Add on the left, the segment list with its label
// on the right.
void place_top_row(const EditorControls& controls) {
  korvid::setbuttonposition(controls.organize, 5, 5, button_width, button_height);
  korvid::setbuttonposition(controls.add, 5 + button_step, 5, button_width, button_height);
  const int list_left = korvid::getmaxx() - 275 - korvid::scaledpi(13);
  korvid::setdropdownlistposition(controls.segment_list, list_left, 5, list_width, button_height);
  korvid::outtextxy(list_left - 5 - korvid::textwidth(goto_label), (40 - korvid::textheight(goto_label)) / 2 + 5,
                    goto_label);
}

}  // namespace

void draw_editor_panel(const Script& script, const EditorControls& controls) {
  begin_panel_page();
  korvid::setfillstyle(korvid::fill_style::solid, korvid::black);
  korvid::settextstyle(korvid::font::sans, korvid::horiz_dir, panel_text_size);
  const int maxx = korvid::getmaxx();
  const int maxy = korvid::getmaxy();
  place_bottom_buttons({controls.back, controls.save_as, controls.save});
  place_top_row(controls);
  korvid::bar(1, 48, maxx + 1, 52);

  const int label_offset = (40 - korvid::textheight(name_label)) / 2;
  const int name_left = name_box_left();
  korvid::outtextxy(5, name_top + label_offset, name_label);
  korvid::settextboxposition(controls.name_box, name_left, name_top, maxx - name_left - 5, button_height);
  korvid::outtextxy(5, length_top + label_offset, length_label);
  korvid::settextboxposition(controls.length_box, name_left, length_top, button_width, button_height);
  // The total is brought up to date when the page is drawn (on entry and on a
  // resize), not after every edit.
  korvid::outtextxy(korvid::textwidth(name_label) + 195, length_top + label_offset, total_time_text(script));
  korvid::setbuttonposition(controls.delete_button, maxx - 125, length_top, button_width, button_height);

  place_formatting_buttons(controls);
  korvid::settextboxposition(controls.body_box, 5, body_top, maxx - 10, maxy - 227);
  place_help_button(controls.help);
  korvid::swapbuffers();
}

EditorPanel::EditorPanel(int window, Script& script, ProgramEvents& events, const Preferences& preferences,
                         const Platform& platform)
    : window_(window), script_(script) {
  korvid::setcurrentwindow(window_);
  begin_panel_page();
  create_controls(events, preferences, platform);
  // The editor always shows a segment; a script without one gets its first
  // here. That alone is no change the user would want to be asked about.
  if (script_.script_is_empty()) script_.script_add_new_segment();
  draw_editor_panel(script_, controls_);
  fill_controls();
}

EditorPanel::~EditorPanel() { remove_controls(); }

void EditorPanel::create_controls(ProgramEvents& events, const Preferences& preferences,
                                  const Platform& platform) {
  // A control takes the font that is current when it is made.
  korvid::settextstyle(korvid::font::sans, korvid::horiz_dir, panel_text_size);
  EditorControls& c = controls_;
  // Everything is placed when the page is drawn.
  const auto button = [&events](std::string_view caption, int code) {
    return korvid::createbutton(0, 0, button_width, button_height, caption, post_event(events, code));
  };
  c.help = create_help_button(platform.program_directory);
  c.back = button("Back", event::exit);
  c.save_as = button("Save As...", event::save_as);
  c.save = button("Save", event::save);
  c.organize = button("Organize", event::organize);
  c.add = button("Add", event::add_segment);
  c.segment_list = korvid::createdropdownlist(0, 0, list_width, button_height,
                                              post_event(events, event::editor_segment_selected));
  c.name_box = korvid::createtextbox(0, 0, button_width, button_height);
  c.length_box = korvid::createtextbox(0, 0, button_width, button_height);
  c.delete_button = button("Delete", event::delete_segment);

  const int small_size = effective_font_size(preferences) * 3 / 4;
  korvid::settextstyle(korvid::font::sans, korvid::horiz_dir, small_size);
  for (std::size_t i = 0; i < formatting_buttons.size(); ++i) {
    c.formatting[i] = korvid::createbutton(0, 0, small_button, small_button, formatting_buttons[i].caption,
                                           post_event(events, formatting_buttons[i].event));
  }
  korvid::settextstyle(korvid::font::mono, korvid::horiz_dir, small_size);
  c.body_box = korvid::createmultilinetextbox(0, 0, button_width, button_height, true);
  korvid::settextstyle(korvid::font::sans, korvid::horiz_dir, panel_text_size);
}

void EditorPanel::remove_controls() {
  const EditorControls& c = controls_;
  for (const int id : {c.help, c.back, c.save_as, c.save, c.organize, c.add, c.delete_button}) {
    korvid::removebutton(id);
  }
  for (const int id : c.formatting) korvid::removebutton(id);
  korvid::removedropdownlist(c.segment_list);
  for (const int id : {c.name_box, c.length_box, c.body_box}) korvid::removetextbox(id);
}

void EditorPanel::fill_controls() {
  korvid::cleardropdownlistentries(controls_.segment_list);
  const auto segments = script_.segments();
  for (std::size_t i = 0; i < segments.size(); ++i) {
    korvid::insertdropdownlistentry(controls_.segment_list, static_cast<int>(i),
                                    segments[i].title().value_or(std::string()));
  }
  korvid::setdropdownlistselection(controls_.segment_list, current_ - 1);
  filled_ = fill_editor_boxes(boxes_from_segment(script_.segment(current_)), controls_.name_box,
                              controls_.length_box, controls_.body_box);
}

// Brings what was typed into the segment on show. True when going on loses
// nothing: the boxes were stored, or they say what the segment already holds
// (an untitled segment nobody touched may keep its empty name box).
bool EditorPanel::keep_typed_text() {
  Segment& segment = script_.segment(current_);
  const EditorBoxes boxes = with_unedited_bytes(
      read_editor_boxes(controls_.name_box, controls_.length_box, controls_.body_box), filled_);
  if (boxes_match_segment(segment, boxes)) return true;
  if (!store_boxes_in_segment(segment, boxes)) return false;
  script_.mark_changed();
  return true;
}

// As keep_typed_text, telling the user what to mend: a box to fill in, or a
// length to write so that it can be read.
bool EditorPanel::write_back() {
  if (keep_typed_text()) return true;
  const EditorBoxes boxes = read_editor_boxes(controls_.name_box, controls_.length_box, controls_.body_box);
  korvid::dlgmessage(korvid::message_error, boxes_refusal(boxes).value_or(std::string(incomplete_fields_message)));
  return false;
}

bool EditorPanel::act(int code) {
  korvid::setcurrentwindow(window_);
  const int body = controls_.body_box;
  switch (code) {
    case event::editor_segment_selected: choose_segment(); break;
    case event::cut: cut_body_selection(body); break;
    case event::copy: copy_body_selection(body); break;
    case event::paste: paste_into_body(body); break;
    case event::insert_heading: add_characters_to_editor_line(body, heading_markup); break;
    case event::insert_link: add_characters_to_editor_line(body, link_markup); break;
    case event::insert_list_item: add_characters_to_editor_line(body, list_markup); break;
    case event::save:
      if (write_back()) save_script(script_);
      break;
    case event::save_as:
      if (write_back()) save_script_as(script_);
      break;
    case event::add_segment: add_segment(); break;
    case event::delete_segment: delete_segment(); break;
    case event::organize:
    case event::exit: return leave();
    case event::resize:
    case event::preference_changed: draw_editor_panel(script_, controls_); break;
    case event::close_requested: close_requested(); break;
    default: break;
  }
  return false;
}

void EditorPanel::choose_segment() {
  const int chosen = korvid::getdropdownlistselection(controls_.segment_list);
  if (!write_back()) {
    // The boxes keep what was typed, so the user can complete it.
    korvid::setdropdownlistselection(controls_.segment_list, current_ - 1);
    return;
  }
  if (chosen >= 0 && chosen < script_.script_number_segments()) current_ = chosen + 1;
  fill_controls();
}

void EditorPanel::add_segment() {
  if (!script_.script_is_empty() && !write_back()) return;
  script_.script_add_new_segment();
  script_.mark_changed();
  current_ = script_.script_number_segments();
  fill_controls();
}

// A deleted segment cannot be brought back, so Delete asks first.
void EditorPanel::delete_segment() {
  const std::string title = korvid::gettextboxcontents(controls_.name_box);
  if (korvid::dlgyesno(korvid::message_warning, delete_question(title)) != 1) return;
  script_.script_remove_segment(current_);
  script_.mark_changed();
  if (script_.script_is_empty()) {
    script_.script_add_new_segment();
    current_ = 1;
  } else if (current_ > script_.script_number_segments()) {
    current_ = script_.script_number_segments();
  }
  fill_controls();
}

bool EditorPanel::leave() {
  if (!write_back()) return false;
  script_.script_update();
  return true;
}

void EditorPanel::close_requested() {
  // What is typed goes into the script first, so the question covers it; boxes
  // that cannot be stored still hold work the user has not saved.
  if (!keep_typed_text()) script_.mark_changed();
  end_program_if_confirmed(script_);
}

int handle_editor_panel(int window, Script& script, ProgramEvents& events, const Preferences& preferences,
                        const Platform& platform) {
  EditorPanel panel(window, script, events, preferences, platform);
  return run_panel(window, events, [&](int code) {
    // Ctrl and S is Save, also while a box has the focus.
    const bool save_key = code == event::key && key_action(events.get_key_event()) == Key_action::save;
    return panel.act(save_key ? event::save : code);
  });
}

}  // namespace veltrim
