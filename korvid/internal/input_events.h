// How input reaches a window's record (window thread).
#pragma once

namespace korvid::detail {

struct WindowData;

// Queues a mouse event of `kind` at x, y and calls its handler. For the wheel,
// `value1` is the delta and `value2` 0, and x, y are the pointer's screen position.
void record_mouse_event(WindowData& window, int kind, int x, int y, int value1, int value2);
void push_key_codes(WindowData& window, const unsigned char* codes, int count);

// The extended code (korvid::key) of a Qt key, or 0: keys that reach `getch`
// as 0 followed by that code.
int extended_key_code(int qt_key);

}  // namespace korvid::detail
