#include "app/events/program_events.h"

#include "app/events/event_codes.h"
#include "korvid/korvid.h"

namespace veltrim {

void ProgramEvents::init_event_mutex() { event_mutex_ = korvid::createmutex(); }

void ProgramEvents::set_event(std::int32_t code) {
  const std::int32_t mutex = event_mutex_;
  // Writers wait without a limit: an event is only lost when the library
  // itself fails to lock.
  if (!korvid::lockmutex(mutex, -1)) return;
  current_event_ = code;
  // While the slot is still held: the woken reader waits briefly for it
  // rather than finding the slot empty.
  korvid::stopidle();
  korvid::unlockmutex(mutex);
}

std::int32_t ProgramEvents::get_event() {
  const std::int32_t mutex = event_mutex_;
  if (!korvid::lockmutex(mutex, reader_limit_ms)) return event::none;
  const std::int32_t code = current_event_;
  current_event_ = event::none;
  korvid::unlockmutex(mutex);
  return code;
}

void ProgramEvents::resize_event() { set_event(event::resize); }

void ProgramEvents::mouse_button_event(std::int32_t x, std::int32_t y) {
  mouse_x_ = x;
  mouse_y_ = y;
  set_event(event::click);
}

std::int32_t ProgramEvents::get_mouse_event_x() const { return mouse_x_; }
std::int32_t ProgramEvents::get_mouse_event_y() const { return mouse_y_; }
std::int32_t ProgramEvents::event_mutex() const { return event_mutex_; }

ProgramEvents& program_events() {
  static ProgramEvents events;
  return events;
}

}  // namespace veltrim
