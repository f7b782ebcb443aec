#include "korvid/internal/control_state.h"

#include "korvid/internal/draw_state.h"
#include "korvid/internal/window_data.h"
#include "korvid/internal/window_widget.h"

namespace korvid::detail {
namespace {

using Lock = std::unique_lock<TimedMutex>;

Lock timed_lock(TimedMutex& mutex, const std::atomic<int>& wait_ms) {
  return Lock(mutex, std::chrono::milliseconds(wait_ms.load()));
}

std::vector<ControlSlot>& family_slots(ControlState& state, Family family) {
  return state.families[static_cast<std::size_t>(family)];
}

// The slot `id` names in `family`, read with both locks held (control_lock first).
ControlSlot* slot_of(ControlState& state, Family family, int id) {
  Lock map_lock = timed_lock(state.control_map_lock, state.lock_wait_ms);
  if (!map_lock.owns_lock()) return nullptr;
  if (id < 0 || id >= static_cast<int>(state.control_map.size())) return nullptr;
  const MapEntry entry = state.control_map[static_cast<std::size_t>(id)];
  // The map remembers the family, so an identifier used with another family's
  // operation names nothing instead of some unrelated control.
  if (entry.family != family || entry.index < 0) return nullptr;
  auto& table = family_slots(state, family);
  if (entry.index >= static_cast<int>(table.size())) return nullptr;
  return &table[static_cast<std::size_t>(entry.index)];
}

}  // namespace

ControlState& control_state(WindowData& window) {
  // Only guards the first use; the tables have locks of their own.
  static std::mutex creation;
  std::lock_guard lock(creation);
  if (!window.controls) window.controls = std::make_unique<ControlState>();
  return *window.controls;
}

Recorded record_control(WindowData& window, Family family, QWidget* widget, Callback callback,
                        ScrollCallback scroll_callback) {
  ControlState& state = control_state(window);
  Lock family_lock = timed_lock(state.control_lock, state.lock_wait_ms);
  Lock map_lock = timed_lock(state.control_map_lock, state.lock_wait_ms);
  if (!map_lock.owns_lock()) return {};
  Recorded recorded;
  if (family_lock.owns_lock()) {
    auto& table = family_slots(state, family);
    recorded.index = static_cast<int>(table.size());
    table.push_back({widget, std::move(callback), std::move(scroll_callback)});
  }
  recorded.id = static_cast<int>(state.control_map.size());
  state.control_map.push_back({family, recorded.index});
  return recorded;
}

QWidget* find_control(WindowData& window, Family family, int id) {
  ControlState& state = control_state(window);
  Lock family_lock = timed_lock(state.control_lock, state.lock_wait_ms);
  if (!family_lock.owns_lock()) return nullptr;
  ControlSlot* slot = slot_of(state, family, id);
  return slot ? slot->widget.data() : nullptr;
}

QWidget* find_any_control(WindowData& window, int id) {
  ControlState& state = control_state(window);
  std::optional<Family> family;
  {
    Lock map_lock = timed_lock(state.control_map_lock, state.lock_wait_ms);
    if (!map_lock.owns_lock()) return nullptr;
    if (id < 0 || id >= static_cast<int>(state.control_map.size())) return nullptr;
    family = state.control_map[static_cast<std::size_t>(id)].family;
  }
  return find_control(window, *family, id);
}

QWidget* take_control(WindowData& window, Family family, int id) {
  ControlState& state = control_state(window);
  Lock family_lock = timed_lock(state.control_lock, state.lock_wait_ms);
  if (!family_lock.owns_lock()) return nullptr;
  ControlSlot* slot = slot_of(state, family, id);
  if (!slot) return nullptr;
  QWidget* widget = slot->widget.data();
  *slot = ControlSlot{};
  return widget;
}

bool set_control_callback(WindowData& window, Family family, int id, Callback callback) {
  ControlState& state = control_state(window);
  Lock family_lock = timed_lock(state.control_lock, state.lock_wait_ms);
  if (!family_lock.owns_lock()) return false;
  ControlSlot* slot = slot_of(state, family, id);
  if (!slot || !slot->widget) return false;
  slot->callback = std::move(callback);
  return true;
}

Callback control_callback(WindowData& window, Family family, int index) {
  ControlState& state = control_state(window);
  Lock family_lock = timed_lock(state.control_lock, state.dispatch_wait_ms);
  if (!family_lock.owns_lock()) return {};
  auto& table = family_slots(state, family);
  if (index < 0 || index >= static_cast<int>(table.size())) return {};
  const ControlSlot& slot = table[static_cast<std::size_t>(index)];
  return slot.widget ? slot.callback : Callback{};
}

ScrollCallback control_scroll_callback(WindowData& window, int index) {
  ControlState& state = control_state(window);
  Lock family_lock = timed_lock(state.control_lock, state.dispatch_wait_ms);
  if (!family_lock.owns_lock()) return {};
  auto& table = family_slots(state, Family::scroll_bar);
  if (index < 0 || index >= static_cast<int>(table.size())) return {};
  const ControlSlot& slot = table[static_cast<std::size_t>(index)];
  return slot.widget ? slot.scroll_callback : ScrollCallback{};
}

void fire_callback(const std::weak_ptr<WindowData>& weak, Family family, int index) {
  auto window = weak.lock();
  if (!window) return;
  if (Callback callback = control_callback(*window, family, index)) {
    start_callback_thread(window, std::move(callback));
  }
}

int create_control(Family family, const QRect& rect, const Maker& make, Callback callback,
                   ScrollCallback scroll_callback, const Connector& connect) {
  auto window = current_window_shared();
  return call_on_gui([&] {
           QWidget* widget = window->widget ? make(*window, *window->widget) : nullptr;
           // The control keeps the font the window had when it was made (its own
           // copy, so a later text style leaves it alone); it goes in before the
           // control is placed because a drop-down list's height follows it.
           if (widget) widget->setFont(current_font(*window));
           const Recorded recorded =
               record_control(*window, family, widget, std::move(callback), std::move(scroll_callback));
           if (widget && recorded.index < 0) {
             // Nothing could ever reach it again: better gone than an orphan on show.
             delete widget;
             return recorded.id;
           }
           if (widget) {
             place_control(*widget, rect);
             if (connect) connect(*widget, window, recorded.index);
             widget->show();
           }
           return recorded.id;
         })
      .value_or(-1);
}

void remove_control(Family family, int id) {
  auto window = current_window_shared();
  run_on_gui([&] {
    QWidget* widget = take_control(*window, family, id);
    if (!widget) return;
    widget->hide();
    // Later, because removal may come from one of the control's own events
    // (a scroll bar's callback runs inside its signal).
    widget->deleteLater();
  });
}

std::string to_utf8(const QString& text) {
  const QByteArray bytes = text.toUtf8();
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace korvid::detail
