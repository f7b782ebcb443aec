// What every full-window setup panel shares: a white page, the logo at the top
// left, underlined section headings, and which action codes end a panel's wait.
#pragma once

#include <filesystem>
#include <string_view>

namespace veltrim {

// The logo's bottom edge: panels place their content below it.
inline constexpr int logo_bottom = 133;

// Clears the current window's page to white with black drawing, the frame every
// panel starts from.
void begin_panel_page();

// Draws the logo (assets/veltrim.bmp in `program_directory`) into (1, 1)-(315, 133)
// of the active page. Returns the logo's bottom edge.
int display_logo(const std::filesystem::path& program_directory);

// Draws a section heading in bold sans serif 25 at (x, y), underlined across the
// window, leaves the text style at sans serif 25, and returns the height it used.
int draw_pref_heading(int x, int y, std::string_view text);

// Whether `code` ends a setup panel's wait: Exit or Back, Start!, Preferences,
// Edit and Import....
bool exit_panel_loop_event(int code);

// Opens the help page shipped beside the program in the user's browser.
void open_help(const std::filesystem::path& program_directory);

}  // namespace veltrim
