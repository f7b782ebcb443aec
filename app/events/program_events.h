// The event slot: the one way anything that happens in the window reaches the
// program's main thread. Handlers and control callbacks (window thread,
// callback threads) store a code and wake the main thread's idle wait; the main
// thread takes the code and acts. One code at a time: a later store replaces a
// code nobody took yet.
#pragma once

#include <atomic>
#include <cstdint>

namespace veltrim {

class ProgramEvents {
 public:
  // How long a reader waits for the slot before it reports no event.
  static constexpr int reader_limit_ms = 500;

  // Makes the library mutex that guards the slot. Call once, after the window
  // exists and before any handler that stores events is registered; until
  // then stores are dropped and reads give 0.
  void init_event_mutex();

  // Stores `code` and wakes the idle wait. 0 is a pure wake-up.
  void set_event(std::int32_t code);
  // Takes the pending code and empties the slot; 0 when nothing is pending, or
  // when the slot stayed locked for `reader_limit_ms` (the code then stays for
  // the next call).
  std::int32_t get_event();

  // The window's resize handler.
  void resize_event();
  // The window's left-button-release handler: keeps the point, then stores the
  // click code.
  void mouse_button_event(std::int32_t x, std::int32_t y);
  // The point of the last click; meaningful right after its code was taken.
  std::int32_t get_mouse_event_x() const;
  std::int32_t get_mouse_event_y() const;

  // The library mutex guarding the slot, -1 before `init_event_mutex`.
  std::int32_t event_mutex() const;

 private:
  std::atomic<std::int32_t> event_mutex_{-1};
  std::int32_t current_event_ = 0;  // only touched under event_mutex_
  std::atomic<std::int32_t> mouse_x_{0};
  std::atomic<std::int32_t> mouse_y_{0};
};

// The program's own slot.
ProgramEvents& program_events();

}  // namespace veltrim
