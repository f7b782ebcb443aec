// The keys Veltrim answers. The window's key handler (on the window thread)
// takes the keys that mean something and stores each in the event slot as
// event::key; the panel or presentation on show turns it into a Key_action and
// acts on the actions it knows. Typing stays with text boxes and choosing
// entries with lists: only the keys that type nothing there (F1, F11, Ctrl+S)
// act while one of them has the focus.
#pragma once

#include <cstdint>
#include <string_view>

#include "app/events/program_events.h"
#include "korvid/input.h"

namespace veltrim {

enum class Key_action {
  none,
  start,             // F5: Start! on the start panel
  next_segment,      // PageDown, Right
  previous_segment,  // PageUp, Left
  pause,             // Space: pause or resume
  pause_or_leave,    // Escape: pause a running presentation, leave a paused one
  scroll_back,       // Up: one line towards the start
  scroll_on,         // Down: one line towards the end
  add_time,          // + or =
  take_time,         // -
  autoscroll,        // A
  blank,             // B or .
  text_larger,       // Ctrl and + (or =)
  text_smaller,      // Ctrl and -
  text_as_preferred, // Ctrl and 0
  full_screen,       // F11
  key_overview,      // F1
  save,              // Ctrl and S
};

// What a key means, wherever it is pressed. A key held down repeats only the
// actions it makes sense to repeat (scrolling and the text size).
Key_action key_action(Key_press key);

// The window's key handler: takes a key that means something, unless it would
// type into a text box or choose in a list that has the focus, and stores it in
// `events`. Returns whether it took the key.
bool offer_key(ProgramEvents& events, const korvid::KeyPress& press);

// The short overview F1 shows.
extern const std::string_view key_overview_text;

}  // namespace veltrim
