// Test hooks for the keyboard: keys pressed as a user presses them, delivered
// to whatever has the focus in the window, and moving the focus. Linked into
// tests only (library `korvid_testing`).
#pragma once

namespace korvid::testing {

// Presses and releases a key, given as a key handler's code (korvid::key) with
// modifier bits, on whatever has the keyboard focus in `window` (the window
// itself when nothing has).
void press_key(int window, int code, int modifiers = 0);
// Gives control `id`, or with -1 the window itself, the keyboard focus within
// `window`.
void focus_control(int window, int id);

}  // namespace korvid::testing
