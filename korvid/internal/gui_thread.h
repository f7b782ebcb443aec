// The one window thread: it owns the QApplication and every native object.
// Other threads reach it only through `run_on_gui`/`post_to_gui`.
#pragma once

#include <functional>
#include <optional>
#include <type_traits>

namespace korvid::detail {

// Starts the window thread (once) and waits until its event loop is ready.
// Returns false when the thread could not start.
bool ensure_gui_thread();
bool gui_running();
bool on_gui_thread();

// Runs `fn` on the window thread and waits for it. Runs it directly when called
// on the window thread. Returns false, without running it, when the window
// thread is gone (the caller never hangs on a dead thread).
bool run_on_gui(std::function<void()> fn);

// The same for a function with a result: empty when the window thread is gone.
template <class Fn>
auto call_on_gui(Fn&& fn) -> std::optional<std::invoke_result_t<Fn>> {
  std::optional<std::invoke_result_t<Fn>> result;
  run_on_gui([&] { result.emplace(fn()); });
  return result;
}

// Queues `fn` for the window thread without waiting; dropped if it is gone.
void post_to_gui(std::function<void()> fn);

// Stops the event loop and joins the window thread (no-op on the window thread
// itself or when it never started). Safe to call more than once.
void shutdown_gui();

// Ends the process the orderly way: window thread stopped and joined first.
[[noreturn]] void end_process(int status);

// Shows the "no current window" error and ends the process with status 1.
[[noreturn]] void fail_no_current_window();

}  // namespace korvid::detail
