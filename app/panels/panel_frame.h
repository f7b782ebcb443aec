// What every full-window setup panel shares: a white page, the logo at the top
// left, underlined section headings, the row of buttons along the bottom, the
// help button, and the idle wait that hands each event to the panel.
#pragma once

#include <concepts>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <string_view>

namespace veltrim {

class ProgramEvents;

// The logo's bottom edge: panels place their content below it.
inline constexpr int logo_bottom = 133;
// The size of the panels' captions and labels.
inline constexpr int panel_text_size = 25;
// A panel's ordinary push button.
inline constexpr int button_width = 120;
inline constexpr int button_height = 40;

// Clears the current window's whole page to white with black drawing, a thin
// pen and a white fill, whatever drew last: the frame every panel starts from.
void begin_panel_page();

// Draws the logo (assets/veltrim.bmp in `program_directory`) into (1, 1)-(315, 133)
// of the active page. Returns the logo's bottom edge.
int display_logo(const std::filesystem::path& program_directory);

// Draws a section heading in bold sans serif 25 at (x, y), underlined across the
// window, leaves the text style at sans serif 25, and returns the height it used.
int draw_pref_heading(int x, int y, std::string_view text);

// A control's callback that stores `code` in the event slot, so the panel's
// wait hands it to the panel on the program's thread.
std::function<void()> post_event(ProgramEvents& events, int code);

// A button of the bottom row: a plain identifier is an ordinary button; a
// caption too long for one gives its width.
struct BottomButton {
  BottomButton(int id, int width = button_width) : id(id), width(width) {}  // NOLINT(google-explicit-constructor)
  int id;
  int width;
};

// Places buttons along the bottom edge: the first in the bottom right corner,
// each next one to the left of the one before.
void place_bottom_buttons(std::initializer_list<BottomButton> right_to_left);
// Places a button in the bottom left corner.
void place_bottom_left_button(int id);

// The "?" button in the top right corner, which opens the help page shipped
// beside the program; place_help_button puts it back after a resize.
int create_help_button(const std::filesystem::path& program_directory);
void place_help_button(int id);

// Whether `code` ends a setup panel's wait: Exit or Back, Start!, Preferences,
// Edit and Import....
bool exit_panel_loop_event(int code);

// Opens the help page shipped beside the program in the user's browser.
void open_help(const std::filesystem::path& program_directory);

// The wait every panel runs: sleeps in the library's idle wait until an event
// arrives, hands its code to `act`, and stops when `act` says the panel is
// done. Returns the code that ended it. The panel costs no processor time
// while the user thinks. F1 and F11 are answered here, for every panel.
int run_panel(int window, ProgramEvents& events, const std::function<bool(int)>& act);

// The same for a panel object with `bool act(int code)`.
template <typename Panel>
  requires requires(Panel& panel, int code) {
    { panel.act(code) } -> std::convertible_to<bool>;
  }
int run_panel(int window, ProgramEvents& events, Panel& panel) {
  return run_panel(window, events, [&panel](int code) { return panel.act(code); });
}

}  // namespace veltrim
