// Per-window control tables, and the plumbing every control family shares.
//
// Each family (buttons, text boxes, list boxes, drop-down lists, scroll bars)
// keeps its controls in creation order; a slot is never reused and a removed
// control leaves an empty slot. The control map turns the identifier a program
// holds into a family and a slot. Widgets are only ever touched on the window
// thread; the tables are guarded by two timed locks so that nothing waiting for
// them can hang the window thread for long.
#pragma once

#include <QButtonGroup>
#include <QKeyEvent>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>

#include <array>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "korvid/internal/gui_thread.h"
#include "korvid/internal/sync.h"
#include "korvid/internal/window_table.h"

namespace korvid::detail {

struct WindowData;

enum class Family { button, text_box, list_box, drop_down, scroll_bar };
inline constexpr std::size_t family_count = 5;

using Callback = std::function<void()>;
using ScrollCallback = std::function<void(int)>;

struct ControlSlot {
  QPointer<QWidget> widget;  // null once removed, or once its window is gone
  Callback callback;         // command, selection change, or Enter in a text box
  ScrollCallback scroll_callback;
};

struct MapEntry {
  Family family = Family::button;
  int index = -1;  // -1: the control could not be recorded and names nothing
};

struct ControlState {
  TimedMutex control_lock;  // guards `families`; taken before `control_map_lock`
  std::array<std::vector<ControlSlot>, family_count> families;

  TimedMutex control_map_lock;
  std::vector<MapEntry> control_map;  // position = control identifier

  // The next radio button starts a new group; the first one of a window always does.
  std::atomic<bool> new_radio_group{true};
  QPointer<QButtonGroup> radio_group;  // the group radio buttons join; window thread only

  // How long table work waits for the locks before it gives up: ordinary
  // operations, and the dispatch of a control's event on the window thread.
  std::atomic<int> lock_wait_ms{5000};
  std::atomic<int> dispatch_wait_ms{1000};
};

// The window's control tables, made on first use.
ControlState& control_state(WindowData& window);

struct Recorded {
  int id = -1;     // -1 when the control map could not be reached
  int index = -1;  // slot in the family; -1 when the control was not recorded
};

// Window thread: records a new control (or a failed creation, `widget` null).
Recorded record_control(WindowData& window, Family family, QWidget* widget, Callback callback,
                        ScrollCallback scroll_callback);

// Window thread: the live control `id` names in `family`, or null.
QWidget* find_control(WindowData& window, Family family, int id);
// Window thread: the live control `id` names, whatever its family.
QWidget* find_any_control(WindowData& window, int id);

// Window thread: empties the slot of control `id` (callbacks included) and
// returns the widget that was in it.
QWidget* take_control(WindowData& window, Family family, int id);

// Window thread: replaces the callback of control `id`; false when there is no
// such control.
bool set_control_callback(WindowData& window, Family family, int id, Callback callback);

// Window thread: what a control's event should call, read under the lock with
// the dispatch time limit; empty when the control is gone or the lock is busy.
Callback control_callback(WindowData& window, Family family, int index);
ScrollCallback control_scroll_callback(WindowData& window, int index);

// Window thread: starts the callback of slot `index` on a thread of its own.
void fire_callback(const std::weak_ptr<WindowData>& window, Family family, int index);

// Moves and sizes a control; drop-down lists keep the height of their closed box.
void place_control(QWidget& widget, const QRect& rect);

// Makes a control on the window thread and records it. `make` builds the widget
// under the given parent; `connect` wires its events to its slot.
using Maker = std::function<QWidget*(WindowData& window, QWidget& parent)>;
using Connector =
    std::function<void(QWidget& widget, const std::weak_ptr<WindowData>& window, int index)>;
int create_control(Family family, const QRect& rect, const Maker& make, Callback callback,
                   ScrollCallback scroll_callback, const Connector& connect);

// Hides the control at once and lets Qt delete it once its events are done.
void remove_control(Family family, int id);

// Runs `fn` with control `id` of the current window on the window thread.
// The result is empty when there is no such control of type W.
template <class W, class Fn>
auto query_control(Family family, int id, Fn&& fn) -> std::optional<std::invoke_result_t<Fn, W&>> {
  auto window = current_window_shared();
  std::optional<std::invoke_result_t<Fn, W&>> result;
  run_on_gui([&] {
    if (auto* widget = dynamic_cast<W*>(find_control(*window, family, id))) result.emplace(fn(*widget));
  });
  return result;
}

template <class W, class Fn>
void act_on_control(Family family, int id, Fn&& fn) {
  auto window = current_window_shared();
  run_on_gui([&] {
    if (auto* widget = dynamic_cast<W*>(find_control(*window, family, id))) fn(*widget);
  });
}

// Text from a control to the program (text from the program: shown_text).
std::string to_utf8(const QString& text);

// Keys a control receives stay with it, as they do with native controls:
// without this, a key the control has no use for (Escape in a text box, a
// letter on a button) would climb to the window and land in its key buffer.
template <class Base>
class Contained : public Base {
 public:
  using Base::Base;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    Base::keyPressEvent(event);
    event->accept();
  }
  void keyReleaseEvent(QKeyEvent* event) override {
    Base::keyReleaseEvent(event);
    event->accept();
  }
};

}  // namespace korvid::detail
