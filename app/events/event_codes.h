// The codes that travel through the event slot. Handlers and control callbacks
// store them; the panels and the presentation loop take them and act. A panel
// that ends returns the code that ended it as its action code, so the panel
// sequence dispatches on the same numbers.
#pragma once

#include <cstdint>

namespace veltrim::event {

// Nothing pending; stored on purpose only to wake the presentation loop for a
// pass without an event.
inline constexpr std::int32_t none = 0;

// Time panel.
inline constexpr std::int32_t add_time = 1;   // "+": add the hold seconds
inline constexpr std::int32_t take_time = 2;  // "-": take off the advance seconds

// The reading view: its scroll bar moved or the wheel turned.
inline constexpr std::int32_t renderer = 201;

// Preferences panel.
inline constexpr std::int32_t font_larger = 301;
inline constexpr std::int32_t font_smaller = 302;

// Editor panel.
inline constexpr std::int32_t editor_segment_selected = 402;
inline constexpr std::int32_t cut = 403;
inline constexpr std::int32_t copy = 404;
inline constexpr std::int32_t paste = 405;
inline constexpr std::int32_t insert_heading = 406;
inline constexpr std::int32_t insert_link = 407;
inline constexpr std::int32_t insert_list_item = 408;
inline constexpr std::int32_t save = 409;
inline constexpr std::int32_t save_as = 410;
inline constexpr std::int32_t add_segment = 411;
inline constexpr std::int32_t delete_segment = 412;
inline constexpr std::int32_t organize = 413;  // also the editor's action code

// Organize panel.
inline constexpr std::int32_t move_up = 415;
inline constexpr std::int32_t move_down = 416;
inline constexpr std::int32_t organize_segment_selected = 417;

// Import panel.
inline constexpr std::int32_t import_mode_changed = 500;
inline constexpr std::int32_t import_file = 501;

// Report panel: "Use as Plan".
inline constexpr std::int32_t adopt_plan = 920;

// Start panel and every panel's way back. The start panel returns exit, start,
// preferences, edit or import as its action code.
inline constexpr std::int32_t exit = 901;  // leave the panel, the presentation or the program
inline constexpr std::int32_t start = 902;
inline constexpr std::int32_t open = 903;  // both "New" and "Open..."
inline constexpr std::int32_t resize = 904;
inline constexpr std::int32_t preferences = 905;
inline constexpr std::int32_t preference_changed = 906;
inline constexpr std::int32_t edit = 907;
inline constexpr std::int32_t import = 908;
inline constexpr std::int32_t new_script = 909;       // "New": a fresh, untitled script
inline constexpr std::int32_t close_requested = 910;  // the window's close box; asked on the program thread

// A left-button click; its point is in the slot's mouse position.
inline constexpr std::int32_t click = 1001;
// A key the program answers (see program_keys.h); the key is in the slot's
// last key.
inline constexpr std::int32_t key = 1002;

}  // namespace veltrim::event
