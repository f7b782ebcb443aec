// Test hooks for controls: use them as a user would (so callbacks fire the way
// they do for a user) and look at what is on show. Any thread may call them;
// each returns once the window thread has handled the action.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

#include "korvid/testing_draw.h"

namespace korvid::testing {

// A mouse click on control `id`: the middle of a push button, the box of a
// check box or radio button. Nothing happens when it is disabled or gone.
void click_control(int window, int id);
// A left click at client position x, y, delivered to whatever is on show there
// (a control, or the window itself).
void click_point(int window, int x, int y);

// Typing into a text box; '\n' presses Enter. Enter with Shift held is how a
// user asks for a new line within a paragraph.
void type_into_textbox(int window, int id, std::string_view text);
void press_enter(int window, int id, bool shift = false);

// Clicking an entry of a list box; choosing an entry of a drop-down list from
// its open list.
void select_list_entry(int window, int id, int index);
void select_dropdown_entry(int window, int id, int index);

// Scroll bar: the arrows, the page areas, Home and End.
enum class ScrollAction { line_up, line_down, page_up, page_down, top, bottom };
void scroll(int window, int id, ScrollAction action);
// Drags the thumb by `pixels` along the bar and lets go.
void drag_scroll_thumb(int window, int id, int pixels);

// What is on show.
struct Geometry {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};
bool control_visible(int window, int id);  // false once removed
bool control_enabled(int window, int id);
bool control_focused(int window, int id);  // the focus within its window
std::string control_text(int window, int id);  // caption, box text or current entry
std::optional<Geometry> control_geometry(int window, int id);
// The font a control shows its text in; empty when there is no such control.
std::optional<SelectedFont> control_font(int window, int id);

// Callback threads: waits until the window thread has handled everything
// queued so far and every callback thread it started has ended.
void settle_callbacks(int window);
std::thread::id window_thread_id();

// Contention on the control tables: hold their lock from this thread, and
// shorten how long the library waits for it (milliseconds).
void lock_control_tables(int window);
void unlock_control_tables(int window);
void set_control_lock_waits(int window, int lock_ms, int dispatch_ms);

// The window thread busy in a modal dialog, whose own event loop keeps serving
// requests. Returns at once; the dialog ends when `until` turns true.
void open_modal_dialog(int window, std::function<bool()> until);
bool modal_dialog_open();

}  // namespace korvid::testing
