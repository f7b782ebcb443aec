#include "app/panels/import_panel.h"

#include <algorithm>

#include "app/events/event_codes.h"
#include "app/system/external.h"
#include "app/script/blanks.h"
#include "app/script/imported_script.h"
#include "app/panels/fitted_lines.h"
#include "app/panels/panel_frame.h"
#include "app/events/program_events.h"
#include "app/script/script_file.h"
#include "app/panels/unsaved_changes.h"
#include "korvid/korvid.h"

namespace veltrim {
namespace {

constexpr int detail_size = 14;
constexpr int dropped_height = 120;
constexpr int rate_box_width = 60;

int selected_kind(const ImportControls& c) { return korvid::getdropdownlistselection(c.kind_list); }

bool is_markdown(int kind) { return kind == static_cast<int>(ImportKind::markdown); }

// Centred text keeps at least this far from the window's sides.
constexpr int text_margin = 5;

void write_centred(int y, std::string_view text) {
  korvid::outtextxy(std::max(text_margin, (korvid::getmaxx() + 1 - korvid::textwidth(text)) / 2), y, text);
}

// What the user is asked for, by kind.
struct FileQuestion {
  std::string_view filter_name;
  std::string_view filter;
  std::string_view title;
  std::string_view status;
};

FileQuestion question_for(int kind) {
  if (is_markdown(kind)) return {"Markdown File", "*.md", "Import Markdown", status_importing_markdown};
  return {"PowerPoint File", "*.pptx", "Import PowerPoint", status_importing_powerpoint};
}

// The words-per-minute box stands in the middle of the bottom row, between
// Import and Back, where every layout has room.
void draw_rate_box(int box) {
  const int caption = korvid::textwidth(rate_caption);
  const int gap = 8;
  const int left = std::max(5 + button_width + gap, (korvid::getmaxx() + 1 - caption - gap - rate_box_width) / 2);
  const int top = korvid::getmaxy() - button_height - 5;
  korvid::outtextxy(left, top + (button_height - korvid::textheight(rate_caption)) / 2, rate_caption);
  korvid::settextboxposition(box, left + caption + gap, top, rate_box_width, button_height);
}

}  // namespace

std::string rate_refusal(std::string_view typed) {
  return "'" + std::string(typed) + "' is not a speaking rate. Write the words per minute as a whole number from " +
         std::to_string(slowest_words_per_minute) + " to " + std::to_string(fastest_words_per_minute) + ".";
}

ImportPanel::ImportPanel(int window, ProgramEvents& events, const Platform& platform, Preferences& preferences,
                         const Script& current)
    : window_(window), events_(events), platform_(platform), preferences_(preferences), current_(current) {
  korvid::setcurrentwindow(window_);
  // Controls take the text style current when they are made; set it here
  // rather than rely on what the start panel left behind.
  korvid::settextstyle(korvid::font::sans, korvid::horiz_dir, panel_text_size);
  controls_.kind_list = korvid::createdropdownlist(korvid::getmaxx() / 4, korvid::getmaxy() / 4 + 40,
                                                   korvid::getmaxx() / 2, dropped_height,
                                                   post_event(events_, event::import_mode_changed));
  controls_.back = korvid::createbutton(korvid::getmaxx() - 125, korvid::getmaxy() - 45, button_width,
                                        button_height, "Back", post_event(events_, event::exit));
  controls_.import = korvid::createbutton(5, korvid::getmaxy() - 45, button_width, button_height, "Import",
                                          post_event(events_, event::import_file));
  controls_.rate_box = korvid::createtextbox(0, 0, rate_box_width, button_height);
  korvid::settextboxcontents(controls_.rate_box, std::to_string(effective_words_per_minute(preferences_)));
  // The first kind added becomes the selection, so the panel starts on Markdown.
  for (const std::string_view name : import_kind_names) korvid::insertdropdownlistentry(controls_.kind_list, -1, name);
  act(event::import_mode_changed);
}

ImportPanel::~ImportPanel() {
  korvid::setcurrentwindow(window_);
  if (controls_.level_list >= 0) korvid::removedropdownlist(controls_.level_list);
  korvid::removetextbox(controls_.rate_box);
  korvid::removebutton(controls_.import);
  korvid::removebutton(controls_.back);
  korvid::removedropdownlist(controls_.kind_list);
}

bool ImportPanel::act(int code) {
  korvid::setcurrentwindow(window_);
  switch (code) {
    case event::import_mode_changed:
      configure_mode_controls();
      previous_kind_ = selected_kind(controls_);
      draw();
      return false;
    case event::resize:
    case event::preference_changed:
      draw();
      return false;
    case event::import_file:
      import_file();
      return done_;
    case event::close_requested:
      end_program_if_confirmed(current_);
      return false;
    default:
      return exit_panel_loop_event(code);
  }
}

void ImportPanel::configure_mode_controls() {
  if (controls_.level_list >= 0) {
    korvid::removedropdownlist(controls_.level_list);
    controls_.level_list = -1;
  }
  if (!is_markdown(selected_kind(controls_))) return;
  controls_.level_list = korvid::createdropdownlist(korvid::getmaxx() / 4, korvid::getmaxy() / 2, button_width,
                                                    button_height);
  for (const std::string_view name : heading_level_names) {
    korvid::insertdropdownlistentry(controls_.level_list, -1, name);
  }
  korvid::setdropdownlistselection(controls_.level_list, default_heading_index);
}

// Reads the words-per-minute box. A rate the estimates cannot use is refused
// in a message and the box keeps what was typed; a new rate is kept in the
// preferences file for the next import.
bool ImportPanel::take_speaking_rate() {
  const std::string typed = korvid::gettextboxcontents(controls_.rate_box);
  const std::optional<std::int32_t> rate = read_free_form_integer(typed);
  if (!rate || *rate < slowest_words_per_minute || *rate > fastest_words_per_minute) {
    korvid::dlgmessage(korvid::message_error, rate_refusal(without_trailing_blanks(typed)));
    return false;
  }
  if (*rate == preferences_.words_per_minute) return true;
  preferences_.words_per_minute = *rate;
  const WriteResult saved = save_user_preferences(preferences_, platform_.environment);
  if (!saved.written) korvid::dlgmessage(korvid::message_error, "Could not save the preferences: " + saved.reason);
  return true;
}

void ImportPanel::import_file() {
  korvid::enablebutton(controls_.import, false);
  status_.clear();
  if (!take_speaking_rate()) {
    korvid::enablebutton(controls_.import, true);
    draw();
    return;
  }
  const int kind = selected_kind(controls_);
  if (kind < 0) {
    if (failed_) status_ = status_import_failed;
    korvid::enablebutton(controls_.import, true);
    draw();
    return;
  }
  const FileQuestion question = question_for(kind);
  std::string file;
  if (korvid::dlgopenfile(file, question.filter_name, question.filter, question.title) == 0) {
    korvid::enablebutton(controls_.import, true);
    failed_ = false;
    failure_detail_.clear();
    draw();
    return;
  }
  status_ = question.status;
  failure_detail_.clear();
  draw();  // the status shows while the converter runs
  int level = 1;
  Conversion conversion;
  if (is_markdown(kind)) {
    level = korvid::getdropdownlistselection(controls_.level_list) + 1;
    conversion = markdown_to_gemtext(platform_, file);
  } else {
    conversion = powerpoint_to_gemtext(platform_, file, kind == static_cast<int>(ImportKind::slide_notes),
                                       preferences_.words_per_minute);
  }
  if (!conversion.succeeded()) {
    conversion_failed(conversion.error_line);
    return;
  }
  Load_status loaded;
  Script script =
      load_imported_script(conversion.gemtext.path().string(), loaded, level, preferences_.words_per_minute);
  // The scratch file has served its purpose whether or not it could be read.
  conversion.gemtext.remove();
  if (loaded.ok() && !script.script_is_empty()) {
    result_ = std::move(script);
  } else {
    result_ = Script();
  }
  status_.clear();
  failed_ = false;
  done_ = true;
}

// The converter's complaint arrives as one line of at most longest_error_line
// characters; it is shown below the status.
void ImportPanel::conversion_failed(std::string detail) {
  failed_ = true;
  status_ = status_import_failed;
  failure_detail_ = std::move(detail);
  korvid::enablebutton(controls_.import, true);
  draw();
}

std::vector<std::string> ImportPanel::failure_lines() const {
  if (failure_detail_.empty()) return {};
  // The converter's words can be long: smaller than the status, and broken
  // into lines that fit the window, so the file they name is always in sight.
  korvid::settextstyle(korvid::font::sans, korvid::horiz_dir, detail_size);
  std::vector<std::string> lines = fit_lines(failure_detail_, korvid::getmaxx() + 1 - 2 * text_margin);
  korvid::settextstyle(korvid::font::sans, korvid::horiz_dir, panel_text_size);
  return lines;
}

void ImportPanel::draw() const {
  begin_panel_page();
  korvid::settextstyle(korvid::font::sans, korvid::horiz_dir, panel_text_size);
  place_bottom_left_button(controls_.import);
  place_bottom_buttons({controls_.back});
  draw_rate_box(controls_.rate_box);
  const int x = korvid::getmaxx() / 4;
  const int y = korvid::getmaxy() / 4;
  korvid::outtextxy(x, y, "Import File Type:");
  korvid::setdropdownlistposition(controls_.kind_list, x, y + 40, korvid::getmaxx() / 2, dropped_height);
  int status_y = y + 160;
  if (controls_.level_list >= 0) {
    korvid::outtextxy(x, y + 120, "Header Level Threshhold for Segments:");
    korvid::setdropdownlistposition(controls_.level_list, x, y + 160, button_width, button_height);
    status_y = y + 240;
  }
  if (!status_.empty()) {
    write_centred(status_y, status_);
    int below = status_y + korvid::textheight(status_) + 5;
    const std::vector<std::string> lines = failure_lines();
    korvid::settextstyle(korvid::font::sans, korvid::horiz_dir, detail_size);
    for (const std::string& line : lines) {
      write_centred(below, line);
      below += korvid::textheight(line);
    }
    korvid::settextstyle(korvid::font::sans, korvid::horiz_dir, panel_text_size);
  }
  display_logo(platform_.program_directory);
  korvid::swapbuffers();
}

int handle_import_panel(int window, Script& imported, ProgramEvents& events, const Platform& platform,
                        Preferences& preferences, const Script& current) {
  ImportPanel panel(window, events, platform, preferences, current);
  const int code = run_panel(window, events, panel);
  imported = panel.take_result();
  return code;
}

}  // namespace veltrim
