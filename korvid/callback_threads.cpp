#include <algorithm>
#include <thread>

#include "korvid/internal/window_data.h"

namespace korvid::detail {
namespace {

// The list only serves `getsignallingwindow`; once it is long, ended callback
// threads are dropped, keeping the creating thread and the window thread.
constexpr std::size_t prune_above = 20;

void prune_ended_threads(std::vector<ThreadEntry>& threads) {
  if (threads.size() <= prune_above) return;
  auto ended = [](const ThreadEntry& entry) { return entry.finished && entry.finished->load(); };
  threads.erase(std::remove_if(threads.begin() + 2, threads.end(), ended), threads.end());
}

}  // namespace

void start_callback_thread(const std::shared_ptr<WindowData>& window, std::function<void()> fn) {
  auto finished = std::make_shared<std::atomic<bool>>(false);
  std::thread thread([window, fn = std::move(fn), finished] {
    fn();
    *finished = true;
  });
  {
    std::lock_guard lock(window->threads_lock);
    prune_ended_threads(window->threads);
    window->threads.push_back({thread.get_id(), finished});
  }
  thread.detach();
}

}  // namespace korvid::detail
