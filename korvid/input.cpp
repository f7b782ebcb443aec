#include "korvid/input.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <atomic>
#include <cmath>
#include <optional>

#include "korvid/internal/gui_thread.h"
#include "korvid/internal/input_events.h"
#include "korvid/internal/window_table.h"
#include "korvid/internal/window_widget.h"

namespace korvid {
namespace {

bool valid_kind(int kind) { return kind >= mouse::first && kind <= mouse::last; }
std::size_t slot(int kind) { return static_cast<std::size_t>(kind - mouse::first); }

}  // namespace

namespace detail {

void record_mouse_event(WindowData& window, int kind, int x, int y, int value1, int value2) {
  MouseHandler handler;
  {
    std::lock_guard lock(window.input_lock);
    auto& queue = window.mouse_queue[slot(kind)];
    // Positions travel as 16-bit values, as the classic interface keeps them.
    const QPoint point(static_cast<std::int16_t>(x), static_cast<std::int16_t>(y));
    if (!window.mouse_queue_all[slot(kind)] && !queue.empty()) queue.pop_front();
    if (static_cast<int>(queue.size()) < mouse::queue_limit) queue.push_back(point);
    window.mouse_x = point.x();
    window.mouse_y = point.y();
    handler = window.mouse_handler[slot(kind)];
  }
  if (handler) handler(value1, value2);
}

void push_key_codes(WindowData& window, const unsigned char* codes, int count) {
  {
    std::lock_guard lock(window.input_lock);
    for (int i = 0; i < count; ++i) {
      if (static_cast<int>(window.keys.size()) < key::buffer_limit) window.keys.push_back(codes[i]);
    }
  }
  window.key_event.notify_all();
}

}  // namespace detail

void registermousehandler(int kind, MouseHandler handler) {
  if (!valid_kind(kind)) return;
  auto& window = detail::current_window();
  std::lock_guard lock(window.input_lock);
  window.mouse_handler[slot(kind)] = std::move(handler);
}

bool ismouseclick(int kind) {
  if (!valid_kind(kind) || kind == mouse::wheel) return false;
  auto& window = detail::current_window();
  std::lock_guard lock(window.input_lock);
  return !window.mouse_queue[slot(kind)].empty();
}

void getmouseclick(int kind, int& x, int& y) {
  x = -1;
  y = -1;
  if (!valid_kind(kind)) return;
  auto& window = detail::current_window();
  std::lock_guard lock(window.input_lock);
  auto& queue = window.mouse_queue[slot(kind)];
  if (queue.empty()) return;
  x = queue.front().x();
  y = queue.front().y();
  queue.pop_front();
}

void clearmouseclick(int kind) {
  if (!valid_kind(kind)) return;
  auto& window = detail::current_window();
  std::lock_guard lock(window.input_lock);
  auto& queue = window.mouse_queue[slot(kind)];
  if (!queue.empty()) queue.pop_front();
}

void setmousequeuestatus(int kind, bool queue_all) {
  if (!valid_kind(kind) || kind == mouse::wheel) return;
  auto& window = detail::current_window();
  std::lock_guard lock(window.input_lock);
  window.mouse_queue_all[slot(kind)] = queue_all;
}

int mousex() {
  auto& window = detail::current_window();
  std::lock_guard lock(window.input_lock);
  return window.mouse_x;
}

int mousey() {
  auto& window = detail::current_window();
  std::lock_guard lock(window.input_lock);
  return window.mouse_y;
}

int getch() {
  auto window = detail::current_window_shared();
  int code = 0;
  {
    // The window thread sets `closing` under this lock, so a close cannot slip
    // in between the check and the wait.
    std::unique_lock lock(window->input_lock);
    window->key_event.wait(lock, [&] { return !window->keys.empty() || window->closing; });
    if (!window->keys.empty()) {
      code = window->keys.front();
      window->keys.pop_front();
    }
  }
  detail::end_if_closed_by_user();
  return code;
}

bool kbhit() {
  auto& window = detail::current_window();
  std::lock_guard lock(window.input_lock);
  return !window.keys.empty();
}

void enableresize(std::function<void()> handler) {
  auto window = detail::current_window_shared();
  {
    std::lock_guard lock(window->input_lock);
    window->resize_handler = std::move(handler);
  }
  detail::run_on_gui([&] {
    if (!window->widget) return;
    // No larger than the pages, so every pixel of the window has a page behind it.
    window->widget->setMinimumSize(1, 1);
    window->widget->setMaximumSize(window->page_size);
  });
}

void disableresize() {
  auto window = detail::current_window_shared();
  {
    std::lock_guard lock(window->input_lock);
    window->resize_handler = nullptr;
  }
  detail::run_on_gui([&] {
    if (window->widget) window->widget->setFixedSize(window->widget->size());
  });
}

void setwindowclosecallback(std::function<void()> callback) {
  auto& window = detail::current_window();
  std::lock_guard lock(window.input_lock);
  window.close_callback = std::move(callback);
}

void setwindowsystemclosecallback(std::function<int()> callback) {
  auto& window = detail::current_window();
  std::lock_guard lock(window.input_lock);
  window.system_close_callback = std::move(callback);
}

void setapplicationdpiaware() {
  // Qt's own scaling is switched off before the window thread starts; the
  // program scales its sizes with `scaledpi`, so there is nothing to declare.
}

int getdpi() {
  // The screen's resolution is read once and kept for the process, like the
  // system resolution a DPI-aware program sees on Windows. Programs scale sizes
  // with it many times a frame, and asking the window thread each time would
  // wait behind whatever it is painting.
  static std::atomic<int> known_dpi{0};
  if (const int dpi = known_dpi.load(std::memory_order_relaxed); dpi > 0) return dpi;
  // The program sizes its window from this before opening it, so the screen
  // must be reachable without a window.
  if (!detail::ensure_gui_thread()) return 96;
  const std::optional<int> dpi = detail::call_on_gui([] {
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? static_cast<int>(std::lround(screen->logicalDotsPerInchY())) : 0;
  });
  if (!dpi || *dpi <= 0) return 96;
  known_dpi.store(*dpi, std::memory_order_relaxed);
  return *dpi;
}

int scaledpi(int value) {
  // value * dpi / 96, rounded to nearest as MulDiv does (halves away from zero).
  const long long product = static_cast<long long>(value) * getdpi();
  const long long half = product >= 0 ? 48 : -48;
  return static_cast<int>((product + half) / 96);
}

}  // namespace korvid
