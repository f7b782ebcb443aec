// The threads that belong to a window, and the short-lived threads that run
// control callbacks so the window thread never waits for them.
#include <algorithm>
#include <future>
#include <thread>

#include "korvid/internal/table.h"
#include "korvid/internal/window_data.h"
#include "korvid/internal/window_table.h"
#include "korvid/window.h"

namespace korvid {
namespace detail {
namespace {

// The list only serves `getsignallingwindow`; once it is long, ended callback
// threads are dropped, keeping the creating thread and the window thread.
constexpr std::size_t prune_above = 20;
constexpr std::ptrdiff_t kept_at_front = 2;

bool ended(const ThreadEntry& entry) { return entry.finished && entry.finished->load(); }

void prune_ended_threads(std::vector<ThreadEntry>& threads) {
  if (threads.size() <= prune_above) return;
  threads.erase(std::remove_if(threads.begin() + kept_at_front, threads.end(), ended),
                threads.end());
}

bool belongs_to(WindowData& window, std::thread::id thread) {
  std::lock_guard lock(window.threads_lock);
  // An ended thread's id may already belong to a new, unrelated thread.
  return std::any_of(window.threads.begin(), window.threads.end(), [&](const ThreadEntry& entry) {
    return entry.id == thread && !ended(entry);
  });
}

}  // namespace

void start_callback_thread(const std::shared_ptr<WindowData>& window, std::function<void()> fn) {
  auto finished = std::make_shared<std::atomic<bool>>(false);
  // The thread waits until it is on the window's list, so the callback itself
  // can already ask which window it belongs to.
  std::promise<void> listed;
  std::thread thread;
  try {
    thread = std::thread([window, fn = std::move(fn), finished, listed = listed.get_future()] {
      listed.wait();
      fn();
      *finished = true;
    });
  } catch (const std::system_error&) {
    return;  // out of threads: the callback is dropped, the window keeps running
  }
  {
    std::lock_guard lock(window->threads_lock);
    prune_ended_threads(window->threads);
    window->threads.push_back({thread.get_id(), finished});
  }
  listed.set_value();
  thread.detach();
}

}  // namespace detail

int getsignallingwindow() {
  if (const int id = detail::signalling_window_in_scope(); id >= 0) return id;
  const auto me = std::this_thread::get_id();
  for (int id = 0; id < detail::window_count(); ++id) {
    auto window = detail::find_window(id);
    if (window && detail::belongs_to(*window, me)) return id;
  }
  return -1;
}

}  // namespace korvid
