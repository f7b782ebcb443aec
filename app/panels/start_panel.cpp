#include "app/panels/start_panel.h"

#include <algorithm>
#include <cstdio>

#include "app/events/event_codes.h"
#include "app/panels/panel_frame.h"
#include "app/events/program_events.h"
#include "app/events/program_keys.h"
#include "app/script/script_file.h"
#include "app/panels/unsaved_changes.h"
#include "korvid/korvid.h"

namespace veltrim {
namespace {

constexpr int column_step = 45;
constexpr int column_width = 160;
constexpr int explanation_offset = 170;

struct ColumnButton {
  const char* label;
  const char* explanation;
  int event;
};

constexpr ColumnButton column[] = {
    {"New", "to start a new veltrim script", event::new_script},
    {"Open...", "to load a veltrim script", event::open},
    {"Import...", "to import another format", event::import},
    {"Edit", "to edit the current script", event::edit},
    {"Preferences", "to configure Veltrim", event::preferences},
};
constexpr int column_count = static_cast<int>(std::size(column));

struct StartButtons {
  int column[column_count]{};
  int start = -1;
  int exit = -1;
  int help = -1;
};

std::string left_aligned(long long value, std::size_t width) {
  std::string text = std::to_string(value);
  if (text.size() < width) text.append(width - text.size(), ' ');
  return text;
}

StartButtons create_buttons(ProgramEvents& events, const Platform& platform) {
  StartButtons buttons;
  const int left = korvid::getmaxx() / 4;
  const int top = korvid::getmaxy() / 4;
  for (int i = 0; i < column_count; ++i) {
    buttons.column[i] = korvid::createbutton(left, top + i * column_step, button_width, button_height,
                                             column[i].label, post_event(events, column[i].event));
  }
  buttons.start = korvid::createbutton(5, korvid::getmaxy() - 45, button_width, button_height, "Start!",
                                       post_event(events, event::start));
  buttons.exit = korvid::createbutton(korvid::getmaxx() - 125, korvid::getmaxy() - 45, button_width,
                                      button_height, "Exit", post_event(events, event::exit));
  buttons.help = create_help_button(platform.program_directory);
  return buttons;
}

void remove_buttons(const StartButtons& buttons) {
  for (const int id : buttons.column) korvid::removebutton(id);
  korvid::removebutton(buttons.start);
  korvid::removebutton(buttons.exit);
  korvid::removebutton(buttons.help);
}

void draw_summary(const Script& script) {
  const int maxx = korvid::getmaxx();
  const int line_height = korvid::textheight("Current script:");
  int y = korvid::getmaxy() - 40 - 4 * (line_height + 5);
  const std::string& name = script.filename();
  const int width = std::min(korvid::textwidth(name), maxx - 20);
  const int x = std::min(maxx / 2 - width / 2, maxx / 4);
  y += draw_pref_heading(x, y, "Current Script") + 3;
  korvid::outtextxy(x, y, name.empty() ? std::string_view("Untitled") : std::string_view(name));
  y += line_height + 5;
  korvid::outtextxy(x, y, script_summary_line(script));
}

void draw_panel(const StartButtons& buttons, const Script& script, const Platform& platform) {
  begin_panel_page();
  korvid::settextstyle(korvid::font::sans, korvid::horiz_dir, panel_text_size);
  const bool has_segments = !script.script_is_empty();
  korvid::enablebutton(buttons.start, has_segments);
  place_bottom_left_button(buttons.start);
  const int left = korvid::getmaxx() / 4;
  const int top = korvid::getmaxy() / 4;
  for (int i = 0; i < column_count; ++i) {
    const int button_top = top + i * column_step;
    korvid::setbuttonposition(buttons.column[i], left, button_top, column_width, button_height);
    const std::string_view text = column[i].explanation;
    korvid::outtextxy(left + explanation_offset, button_top + 20 - korvid::textheight(text) / 2, text);
  }
  if (has_segments) draw_summary(script);
  place_bottom_buttons({buttons.exit});
  place_help_button(buttons.help);
  display_logo(platform.program_directory);
  korvid::swapbuffers();
}

void ask_and_open(Script& script) {
  if (!confirm_discard_changes(script)) return;
  std::string file;
  if (!korvid::dlgopenfile(file, "Veltrim Script", "*.gmi", "Select a veltrim script")) return;
  open_script_file(script, file);
}

// A new script has one empty segment and no name; it goes straight to the editor.
bool start_new_script(Script& script) {
  if (!confirm_discard_changes(script)) return false;
  script = Script();
  script.script_add_new_segment();
  script.mark_saved();
  return true;
}

// Exit ends the program and Import... replaces the script: both ask first, and
// ask here, while the panel and its buttons are still on show behind the question.
bool drops_the_script(int code) { return code == event::exit || code == event::import; }

// Acts on one code. Returns the action the panel sequence takes next, or
// event::none while the start panel carries on.
int start_panel_choice(const StartPanelContext& context, int code) {
  // F5 is Start!, which only a script with segments offers.
  if (code == event::key && key_action(context.events.get_key_event()) == Key_action::start &&
      !context.script.script_is_empty()) {
    return event::start;
  }
  if (code == event::open) {
    ask_and_open(context.script);
  } else if (code == event::new_script && start_new_script(context.script)) {
    return event::edit;
  } else if (code == event::close_requested) {
    end_program_if_confirmed(context.script);
  } else if (drops_the_script(code) && !confirm_discard_changes(context.script)) {
    return event::none;
  }
  return exit_panel_loop_event(code) ? code : event::none;
}

}  // namespace

std::string script_summary_line(const Script& script) {
  std::string line = "Segments: " + left_aligned(script.script_number_segments(), 4) +
                     " Runtime (minutes, approx): " + left_aligned(script.script_runtime() / 60, 4);
  line.erase(line.find_last_not_of(' ') + 1);
  return line;
}

bool open_script_file(Script& script, const std::string& file) {
  Load_status status;
  Script loaded = load_script(file, status);
  if (!status.ok()) {
    korvid::dlgmessage(korvid::message_error, "Could not open " + file + ": " + status.reason);
    return false;
  }
  script = std::move(loaded);
  return true;
}

int handle_start_panel(StartPanelContext context) {
  korvid::setcurrentwindow(context.window);
  begin_panel_page();
  korvid::settextstyle(korvid::font::sans, korvid::horiz_dir, panel_text_size);
  const StartButtons buttons = create_buttons(context.events, context.platform);
  draw_panel(buttons, context.script, context.platform);
  int choice = event::none;
  run_panel(context.window, context.events, [&](int code) {
    choice = start_panel_choice(context, code);
    if (choice != event::none) return true;
    // Drawn again after every event: Open..., New or a resize may have changed
    // what the summary and the buttons show.
    korvid::setcurrentwindow(context.window);
    draw_panel(buttons, context.script, context.platform);
    return false;
  });
  remove_buttons(buttons);
  return choice;
}

}  // namespace veltrim
