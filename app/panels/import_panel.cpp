#include "app/panels/import_panel.h"

#include <algorithm>

#include "app/events/event_codes.h"
#include "app/system/external.h"
#include "app/script/length_estimate.h"
#include "app/panels/panel_frame.h"
#include "app/events/program_events.h"
#include "app/script/script_file.h"
#include "app/panels/unsaved_changes.h"
#include "korvid/korvid.h"

namespace veltrim {
namespace {

constexpr int detail_size = 14;
constexpr int dropped_height = 120;

int selected_kind(const ImportControls& c) { return korvid::getdropdownlistselection(c.kind_list); }

bool is_markdown(int kind) { return kind == static_cast<int>(ImportKind::markdown); }

void write_centred(int y, std::string_view text) {
  korvid::outtextxy(std::max(5, (korvid::getmaxx() + 1 - korvid::textwidth(text)) / 2), y, text);
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

}  // namespace

ImportPanel::ImportPanel(int window, ProgramEvents& events, const Platform& platform, const Script& current)
    : window_(window), events_(events), platform_(platform), current_(current) {
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
  // The first kind added becomes the selection, so the panel starts on Markdown.
  for (const std::string_view name : import_kind_names) korvid::insertdropdownlistentry(controls_.kind_list, -1, name);
  act(event::import_mode_changed);
}

ImportPanel::~ImportPanel() {
  korvid::setcurrentwindow(window_);
  if (controls_.level_list >= 0) korvid::removedropdownlist(controls_.level_list);
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

void ImportPanel::import_file() {
  korvid::enablebutton(controls_.import, false);
  status_.clear();
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
    conversion = powerpoint_to_gemtext(platform_, file, kind == static_cast<int>(ImportKind::slide_notes));
  }
  if (!conversion.succeeded()) {
    conversion_failed(conversion.error_line);
    return;
  }
  Load_status loaded;
  Script script = load_script(conversion.gemtext.path().string(), loaded, level);
  // The scratch file has served its purpose whether or not it could be read.
  conversion.gemtext.remove();
  if (loaded.ok() && !script.script_is_empty()) {
    script.script_set_untitled();
    estimate_missing_lengths(script);
    result_ = std::move(script);
  } else {
    result_ = Script();
  }
  status_.clear();
  failed_ = false;
  done_ = true;
}

// The converter's complaint arrives as one line of at most longest_error_line
// characters, so it fits below the status.
void ImportPanel::conversion_failed(std::string detail) {
  failed_ = true;
  status_ = status_import_failed;
  failure_detail_ = std::move(detail);
  korvid::enablebutton(controls_.import, true);
  draw();
}

void ImportPanel::draw() const {
  begin_panel_page();
  korvid::settextstyle(korvid::font::sans, korvid::horiz_dir, panel_text_size);
  place_bottom_left_button(controls_.import);
  place_bottom_buttons({controls_.back});
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
    if (!failure_detail_.empty()) {
      // The converter's words can be long: smaller, so that most of a line fits.
      const int below = status_y + korvid::textheight(status_) + 5;
      korvid::settextstyle(korvid::font::sans, korvid::horiz_dir, detail_size);
      write_centred(below, failure_detail_);
      korvid::settextstyle(korvid::font::sans, korvid::horiz_dir, panel_text_size);
    }
  }
  display_logo(platform_.program_directory);
  korvid::swapbuffers();
}

int handle_import_panel(int window, Script& imported, ProgramEvents& events, const Platform& platform,
                        const Script& current) {
  ImportPanel panel(window, events, platform, current);
  const int code = run_panel(window, events, panel);
  imported = panel.take_result();
  return code;
}

}  // namespace veltrim
