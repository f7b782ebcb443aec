#include "app/panels/panel_frame.h"

#include <cctype>
#include <string>

#include "app/events/event_codes.h"
#include "app/system/external.h"
#include "app/system/links.h"
#include "app/events/program_events.h"
#include "app/events/program_keys.h"
#include "app/events/window_keys.h"
#include "korvid/korvid.h"

namespace veltrim {
namespace {

constexpr int logo_right = 315;
constexpr int help_size = 30;
// Bottom-row buttons stand 5 pixels from the window's edges and apart.
constexpr int edge = 5;

int bottom_row_top() { return korvid::getmaxy() - button_height - edge; }
int help_left() { return korvid::getmaxx() - help_size - korvid::scaledpi(3); }

}  // namespace

void begin_panel_page() {
  korvid::setbkcolor(korvid::white);
  korvid::setcolor(korvid::black);
  // The drawing state outlives whoever set it: after a presentation the dial's
  // thick pen would draw every heading's underline four pixels thick.
  korvid::setlinestyle(korvid::line_style::solid, 0, 1);
  korvid::setfillstyle(korvid::fill_style::solid, korvid::white);
  korvid::resetviewport();
  korvid::clearviewport();
  // Clearing the viewport leaves the window's last column and row as they
  // were (black on a new page, or the time panel's background); the whole
  // page is white.
  korvid::cleardevice();
}

int display_logo(const std::filesystem::path& program_directory) {
  const std::filesystem::path logo = program_directory / "assets" / "veltrim.bmp";
  korvid::readimagefile(logo.string(), 1, 1, logo_right, logo_bottom);
  return logo_bottom;
}

int draw_pref_heading(int x, int y, std::string_view text) {
  korvid::settextstyle(korvid::font::sans_bold, korvid::horiz_dir, panel_text_size);
  korvid::outtextxy(x, y, text);
  const int height = korvid::textheight(text);
  const int rule = y + height + 5;
  korvid::line(x, rule, korvid::getmaxx() + 1 - x, rule);
  korvid::settextstyle(korvid::font::sans, korvid::horiz_dir, panel_text_size);
  return height + 8;
}

std::function<void()> post_event(ProgramEvents& events, int code) {
  return [&events, code] { events.set_event(code); };
}

void place_bottom_buttons(std::initializer_list<BottomButton> right_to_left) {
  int right = korvid::getmaxx() - edge;
  for (const BottomButton& button : right_to_left) {
    korvid::setbuttonposition(button.id, right - button.width, bottom_row_top(), button.width, button_height);
    right -= button.width + edge;
  }
}

void place_bottom_left_button(int id) {
  korvid::setbuttonposition(id, edge, bottom_row_top(), button_width, button_height);
}

int create_help_button(const std::filesystem::path& program_directory) {
  return korvid::createbutton(help_left(), korvid::scaledpi(3), help_size, help_size, "?",
                              [program_directory] { open_help(program_directory); });
}

void place_help_button(int id) {
  korvid::setbuttonposition(id, help_left(), korvid::scaledpi(3), help_size, help_size);
}

bool exit_panel_loop_event(int code) {
  switch (code) {
    case event::exit:
    case event::start:
    case event::preferences:
    case event::edit:
    case event::import:
      return true;
    default:
      return false;
  }
}

void open_help(const std::filesystem::path& program_directory) {
  const std::filesystem::path page = program_directory / "help" / "index.html";
  open_url_or_say_why(file_url(page));
}

int run_panel(int window, ProgramEvents& events, const std::function<bool(int)>& act) {
  for (;;) {
    korvid::setcurrentwindow(window);
    korvid::loop();
    const int code = events.get_event();
    // F1 and F11 mean the same on every panel; the resize that full screen
    // brings reaches the panel as any resize does.
    if (code == event::key && answer_window_key(key_action(events.get_key_event()))) continue;
    if (act(code)) return code;
  }
}

}  // namespace veltrim
