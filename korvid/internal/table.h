// The window table itself, for the window operations.
#pragma once

#include <memory>
#include <vector>

#include "korvid/internal/window_data.h"
#include "korvid/window.h"

namespace korvid::detail {

struct WindowTable {
  // Slot i holds window i; a closed window leaves an empty slot; slots are never reused.
  std::vector<std::shared_ptr<WindowData>> windows;
  int current = no_current_window;
};

WindowTable& window_table();
// Appends the window, gives it its identifier and makes it current.
int add_window(std::shared_ptr<WindowData> window);
void forget_window(int id);
int window_count();
int current_window_id_value();
void set_current_window_id(int id);

}  // namespace korvid::detail
