#include "korvid/internal/window_table.h"

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

#include "korvid/internal/gui_thread.h"
#include "korvid/internal/table.h"

namespace korvid::detail {
namespace {

// Never destroyed: the window thread may still look at the table while the
// process runs its exit handlers (it is joined from one of them).
std::mutex& table_lock() {
  static auto* lock = new std::mutex;
  return *lock;
}

// Set once any exit-on-close window was closed by the user: every library call
// checks it, so the common case costs one atomic load.
std::atomic<bool> any_closed_by_user{false};

thread_local int window_in_scope = -1;

}  // namespace

WindowTable& window_table() {
  static auto* table = new WindowTable;
  return *table;
}

int add_window(std::shared_ptr<WindowData> window) {
  std::lock_guard lock(table_lock());
  WindowTable& table = window_table();
  window->id = static_cast<int>(table.windows.size());
  table.windows.push_back(std::move(window));
  table.current = static_cast<int>(table.windows.size()) - 1;
  return table.current;
}

std::shared_ptr<WindowData> find_window(int id) {
  std::lock_guard lock(table_lock());
  WindowTable& table = window_table();
  if (id < 0 || id >= static_cast<int>(table.windows.size())) return nullptr;
  auto window = table.windows[static_cast<std::size_t>(id)];
  if (!window || window->destroyed) return nullptr;
  return window;
}

void forget_window(int id) {
  std::lock_guard lock(table_lock());
  WindowTable& table = window_table();
  if (id < 0 || id >= static_cast<int>(table.windows.size())) return;
  if (auto& window = table.windows[static_cast<std::size_t>(id)]) window->destroyed = true;
  if (table.current == id) table.current = no_current_window;
}

int window_count() {
  std::lock_guard lock(table_lock());
  return static_cast<int>(window_table().windows.size());
}

int current_window_id_value() {
  std::lock_guard lock(table_lock());
  return window_table().current;
}

void set_current_window_id(int id) {
  std::lock_guard lock(table_lock());
  window_table().current = id;
}

void mark_closed_by_user(WindowData& window) {
  window.closing = true;
  any_closed_by_user = true;
}

void end_if_closed_by_user() {
  if (!any_closed_by_user) return;
  const auto me = std::this_thread::get_id();
  bool mine = false;
  {
    std::lock_guard lock(table_lock());
    for (const auto& window : window_table().windows) {
      if (window && window->closing && window->creator_thread == me) mine = true;
    }
  }
  if (mine) end_process(0);
}

std::shared_ptr<WindowData> current_window_shared() {
  stop_gui_before_main_thread_exits();
  end_if_closed_by_user();
  auto window = find_window(current_window_id_value());
  if (!window) fail_no_current_window();
  return window;
}

WindowData& current_window() { return *current_window_shared(); }

SignallingWindowScope::SignallingWindowScope(int id) : previous_(window_in_scope) {
  window_in_scope = id;
}

SignallingWindowScope::~SignallingWindowScope() { window_in_scope = previous_; }

int signalling_window_in_scope() { return window_in_scope; }

}  // namespace korvid::detail
