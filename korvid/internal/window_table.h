// The table of windows and the current window.
#pragma once

#include <memory>

#include "korvid/internal/window_data.h"

namespace korvid::detail {

// The current window; ends the process the orderly way when there is none, or
// when the user closed an exit-on-close window and the caller is its program thread.
WindowData& current_window();
std::shared_ptr<WindowData> current_window_shared();
// A window by identifier, or null when it does not name an open window.
std::shared_ptr<WindowData> find_window(int id);
// Checks whether the user closed an exit-on-close window and, on its program
// thread, ends the process with status 0.
void end_if_closed_by_user();
// Records that the user closed an exit-on-close window (window thread).
void mark_closed_by_user(WindowData& window);

// While the window thread handles an event of one window, that window is the
// one `getsignallingwindow` names (the window thread serves every window).
class SignallingWindowScope {
 public:
  explicit SignallingWindowScope(int id);
  ~SignallingWindowScope();
  SignallingWindowScope(const SignallingWindowScope&) = delete;
  SignallingWindowScope& operator=(const SignallingWindowScope&) = delete;

 private:
  int previous_;
};
// The window whose event the calling thread is handling, or -1.
int signalling_window_in_scope();

}  // namespace korvid::detail
