#include "app/events/program_events.h"

#include "app/events/event_codes.h"
#include "korvid/korvid.h"

namespace veltrim {

void ProgramEvents::init_event_mutex() { event_mutex_ = korvid::createmutex(); }

namespace {

// Codes that say only that some state changed: two in a row mean no more than one.
bool merges_with_itself(std::int32_t code) {
  return code == event::resize || code == event::renderer || code == event::preference_changed ||
         code == event::close_requested;
}

}  // namespace

void ProgramEvents::set_event(std::int32_t code) { store({code, 0, 0, {}}); }

void ProgramEvents::store(Pending pending) {
  const std::int32_t mutex = event_mutex_;
  // Writers wait without a limit: an event is only lost when the library
  // itself fails to lock.
  if (!korvid::lockmutex(mutex, -1)) return;
  const bool repeat =
      !pending_.empty() && pending_.back().code == pending.code && merges_with_itself(pending.code);
  if (pending.code != event::none && !repeat && pending_.size() < capacity) pending_.push_back(pending);
  // While the slot is still held: the woken reader waits briefly for it
  // rather than finding the slot empty.
  korvid::stopidle();
  korvid::unlockmutex(mutex);
}

std::int32_t ProgramEvents::get_event() {
  const std::int32_t mutex = event_mutex_;
  if (!korvid::lockmutex(mutex, reader_limit_ms)) return event::none;
  if (pending_.empty()) {
    korvid::unlockmutex(mutex);
    return event::none;
  }
  const Pending taken = pending_.front();
  pending_.pop_front();
  if (taken.code == event::click) {
    mouse_x_ = taken.x;
    mouse_y_ = taken.y;
  }
  if (taken.code == event::key) last_key_ = taken.key;
  // The wake that brought the reader here was spent on this code; the next
  // one must not sleep while others wait.
  if (!pending_.empty()) korvid::stopidle();
  korvid::unlockmutex(mutex);
  return taken.code;
}

void ProgramEvents::resize_event() { set_event(event::resize); }

void ProgramEvents::mouse_button_event(std::int32_t x, std::int32_t y) { store({event::click, x, y, {}}); }

void ProgramEvents::key_event(Key_press key) { store({event::key, 0, 0, key}); }
Key_press ProgramEvents::get_key_event() const { return last_key_; }

std::int32_t ProgramEvents::get_mouse_event_x() const { return mouse_x_; }
std::int32_t ProgramEvents::get_mouse_event_y() const { return mouse_y_; }
std::int32_t ProgramEvents::event_mutex() const { return event_mutex_; }

ProgramEvents& program_events() {
  static ProgramEvents events;
  return events;
}

}  // namespace veltrim
