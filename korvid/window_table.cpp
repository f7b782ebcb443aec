#include "korvid/internal/window_table.h"

#include <mutex>
#include <vector>

#include "korvid/internal/gui_thread.h"
#include "korvid/internal/table.h"
#include "korvid/internal/window_widget.h"

namespace korvid::detail {
namespace {

// Never destroyed: the window thread may still look at the table while the
// process runs its static destructors (it is joined from one of them).
std::mutex& table_lock() {
  static auto* lock = new std::mutex;
  return *lock;
}

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
  table.windows[static_cast<std::size_t>(id)].reset();
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

void end_if_closed_by_user() {
  std::vector<std::shared_ptr<WindowData>> windows;
  {
    std::lock_guard lock(table_lock());
    windows = window_table().windows;
  }
  for (const auto& window : windows) {
    if (window && window->closing && window->creator_thread == std::this_thread::get_id()) {
      end_process(0);
    }
  }
}

std::shared_ptr<WindowData> current_window_shared() {
  end_if_closed_by_user();
  auto window = find_window(current_window_id_value());
  if (!window) fail_no_current_window();
  return window;
}

WindowData& current_window() { return *current_window_shared(); }

}  // namespace korvid::detail
