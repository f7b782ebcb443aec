// The one window thread: it owns the QApplication and every native object.
// Other threads reach it only through `run_on_gui`/`post_to_gui`.
#pragma once

#include <functional>
#include <optional>
#include <type_traits>

namespace korvid::detail {

// Starts the window thread (once) and waits until its event loop is ready.
// Returns false when the thread could not start or no display can be reached.
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

// Makes sure the window thread is stopped before the process's own exit
// handlers tear down what it still uses. Call once the thread has set up
// whatever Qt state it will keep (more calls are harmless).
void stop_gui_at_exit();

// Called on every way into the library: on the main thread, arranges that the
// window thread is stopped at the very start of the process's exit, before any
// exit handler or static destructor runs (Qt creates some of its globals
// lazily, after any handler we could register, and tears them down first).
void stop_gui_before_main_thread_exits();

// Ends the process the orderly way: window thread stopped and joined first.
// Only the main thread runs the normal exit path; any other thread ends the
// process without running exit handlers, because the main thread is still
// using what they would destroy.
[[noreturn]] void end_process(int status);

// Shows the "no current window" error and ends the process with status 1.
[[noreturn]] void fail_no_current_window();

}  // namespace korvid::detail
