// The event slot: the one way anything that happens in the window reaches the
// program's main thread. Handlers and control callbacks (window thread,
// callback threads) store a code and wake the main thread's idle wait; the main
// thread takes the codes and acts, oldest first. The slot holds a short queue,
// so a close request and a click, or two quick clicks or key presses, that
// arrive within one pass all act.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <deque>

namespace veltrim {

// A key as it travels through the slot: its code (korvid::key) and modifier bits.
struct Key_press {
  std::int32_t code = 0;
  std::int32_t modifiers = 0;
  bool repeat = false;  // sent again because the key is held down
  bool operator==(const Key_press&) const = default;
};

class ProgramEvents {
 public:
  // How long a reader waits for the slot before it reports no event.
  static constexpr int reader_limit_ms = 500;
  // Codes waiting at most; a store into a full queue is dropped. Only a program
  // that stopped taking codes fills it.
  static constexpr std::size_t capacity = 64;

  // Makes the library mutex that guards the slot. Call once, after the window
  // exists and before any handler that stores events is registered; until
  // then stores are dropped and reads give 0.
  void init_event_mutex();

  // Queues `code` and wakes the idle wait. 0 is a pure wake-up and queues
  // nothing. A code that repeats the newest one waiting and only says that
  // something changed (a resize, a scroll, a preference, the close box) is
  // merged into it.
  void set_event(std::int32_t code);
  // Takes the oldest waiting code; 0 when nothing waits, or when the slot
  // stayed locked for `reader_limit_ms` (the codes then stay for the next
  // call). While more codes wait, the idle wait is woken again, so the next
  // wait returns at once.
  std::int32_t get_event();

  // The window's resize handler.
  void resize_event();
  // The window's left-button-release handler: keeps the point, then stores the
  // click code.
  void mouse_button_event(std::int32_t x, std::int32_t y);
  // The point of the click whose code was taken last.
  std::int32_t get_mouse_event_x() const;
  std::int32_t get_mouse_event_y() const;
  // Stores the key code with `key`, as a click stores its point.
  void key_event(Key_press key);
  // The key whose code was taken last.
  Key_press get_key_event() const;

  // The library mutex guarding the slot, -1 before `init_event_mutex`.
  std::int32_t event_mutex() const;

 private:
  struct Pending {
    std::int32_t code = 0;
    std::int32_t x = 0;  // a click's point
    std::int32_t y = 0;
    Key_press key;
  };
  void store(Pending pending);

  std::atomic<std::int32_t> event_mutex_{-1};
  std::deque<Pending> pending_;  // only touched under event_mutex_
  std::atomic<std::int32_t> mouse_x_{0};
  std::atomic<std::int32_t> mouse_y_{0};
  Key_press last_key_;  // only touched by the reader
};

// The program's own slot.
ProgramEvents& program_events();

}  // namespace veltrim
