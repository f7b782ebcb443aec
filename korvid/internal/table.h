// The window table itself, for the window operations.
#pragma once

#include <memory>
#include <vector>

#include "korvid/internal/window_data.h"
#include "korvid/window.h"

namespace korvid::detail {

struct WindowTable {
  // Slot i holds window i; slots are never reused. A closed window's record
  // stays (marked destroyed, pages freed), so a reference handed out earlier
  // never points at freed memory.
  std::vector<std::shared_ptr<WindowData>> windows;
  int current = no_current_window;
};

WindowTable& window_table();
// Appends the window, gives it its identifier and makes it current.
int add_window(std::shared_ptr<WindowData> window);
// Takes a closed window out of use: no longer found, no longer current.
void forget_window(int id);
int window_count();
int current_window_id_value();
void set_current_window_id(int id);

}  // namespace korvid::detail
