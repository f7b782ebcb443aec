// Mouse, keyboard, resize and close events, and DPI scaling.
#pragma once

#include <functional>

namespace korvid {

// Mouse event kinds keep the classic message numbers.
namespace mouse {
inline constexpr int move = 512;
inline constexpr int left_down = 513;
inline constexpr int left_up = 514;
inline constexpr int left_double = 515;
inline constexpr int right_down = 516;
inline constexpr int right_up = 517;
inline constexpr int right_double = 518;
inline constexpr int middle_down = 519;
inline constexpr int middle_up = 520;
inline constexpr int middle_double = 521;
inline constexpr int wheel = 522;
inline constexpr int extra_down = 523;
inline constexpr int extra_up = 524;
inline constexpr int extra_double = 525;
inline constexpr int first = move;
inline constexpr int last = extra_double;
inline constexpr int queue_limit = 127;
// One notch of the wheel; the wheel handler is only ever given whole notches.
inline constexpr int wheel_notch = 120;
}  // namespace mouse

// Extended key codes; `getch` returns 0 and then one of these.
namespace key {
inline constexpr int f1 = 59;  // F1..F10 are 59..68
inline constexpr int f11 = 69;
inline constexpr int f12 = 70;
inline constexpr int home = 71;
inline constexpr int up = 72;
inline constexpr int page_up = 73;
inline constexpr int left = 75;
inline constexpr int clear = 76;
inline constexpr int right = 77;
inline constexpr int end = 79;
inline constexpr int down = 80;
inline constexpr int page_down = 81;
inline constexpr int insert = 82;
inline constexpr int del = 83;
inline constexpr int buffer_limit = 511;

// Codes a key handler receives: a printable key as its character (letters in
// upper case, whatever Shift says; the keypad's keys as the keys they copy),
// a few control keys as their ASCII codes, and an extended key as
// `extended(code)`, so that F5 is extended(f1 + 4).
inline constexpr int backspace = 8;
inline constexpr int tab = 9;
inline constexpr int enter = 13;
inline constexpr int escape = 27;
inline constexpr int space = 32;
inline constexpr int extended_base = 256;
constexpr int extended(int code) { return extended_base + code; }

// Modifier bits of a key press.
inline constexpr int shift = 1;
inline constexpr int ctrl = 2;
inline constexpr int alt = 4;
inline constexpr int meta = 8;
}  // namespace key

// What has the keyboard focus in the window when a key is pressed.
enum class KeyFocus {
  window,     // the window itself (no control)
  text_box,   // a text box: keys type there
  list,       // a list box or drop-down list: keys choose entries there
  control,    // any other control: a button, a check box, a scroll bar
};

struct KeyPress {
  int code = 0;       // see namespace key
  int modifiers = 0;  // key::shift | key::ctrl | ...
  bool repeat = false;  // sent again because the key is held down
  KeyFocus focus = KeyFocus::window;
};

// Called on the window thread for every key pressed in the window, before a
// control with the focus sees it. Returning true takes the key: the control
// does not get it. Keys still reach the key buffer that `getch` reads as
// they always did (only when the window itself has the focus).
using KeyHandler = std::function<bool(const KeyPress&)>;

// A mouse handler receives x and y (for the wheel: the signed delta, 120 a notch, and 0).
using MouseHandler = std::function<void(int, int)>;

void registermousehandler(int kind, MouseHandler handler);
bool ismouseclick(int kind);
// Takes the oldest queued position of `kind`; -1, -1 when none is queued.
void getmouseclick(int kind, int& x, int& y);
void clearmouseclick(int kind);
void setmousequeuestatus(int kind, bool queue_all);
int mousex();
int mousey();

int getch();
bool kbhit();
// The current window's key handler; an empty one removes it.
void registerkeyhandler(KeyHandler handler);

void enableresize(std::function<void()> handler = {});
void disableresize();
void setwindowclosecallback(std::function<void()> callback);
// Asked before a close from the close box; returning 0 keeps the window open.
void setwindowsystemclosecallback(std::function<int()> callback);

// Sizes are scaled by the program itself; this only records the wish.
void setapplicationdpiaware();
int getdpi();
int scaledpi(int value);

}  // namespace korvid
