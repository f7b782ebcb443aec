// Waiting: the idle wait the program's panels sleep in, `delay`, and the
// table of mutexes programs share with their callbacks.
#include <algorithm>
#include <chrono>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "korvid/internal/sync.h"
#include "korvid/internal/table.h"
#include "korvid/internal/window_table.h"
#include "korvid/window.h"

namespace korvid {
namespace {

using detail::RecursiveTimedMutex;

// The master lock guards only the table; waiting for a mutex happens outside
// it, so one thread's wait never keeps another from unlocking. Entries are
// never removed, so a pointer taken out of the table stays valid.
struct MutexTable {
  std::mutex master;
  std::vector<std::unique_ptr<RecursiveTimedMutex>> mutexes;
};

MutexTable& mutex_table() {
  // Never destroyed: callback threads may still unlock while the process ends.
  static auto* table = new MutexTable;
  return *table;
}

RecursiveTimedMutex* find_mutex(int id) {
  MutexTable& table = mutex_table();
  std::lock_guard lock(table.master);
  if (id < 0 || id >= static_cast<int>(table.mutexes.size())) return nullptr;
  return table.mutexes[static_cast<std::size_t>(id)].get();
}

}  // namespace

void loop() {
  auto window = detail::current_window_shared();
  window->idle_event.wait();
  detail::end_if_closed_by_user();
}

int startidle(int milliseconds) {
  auto window = detail::current_window_shared();
  bool woken = true;
  if (milliseconds < 0) {
    window->idle_event.wait();
  } else {
    woken = window->idle_event.wait_for(std::chrono::milliseconds(milliseconds));
  }
  detail::end_if_closed_by_user();
  return woken ? 1 : idle_timeout;
}

void stopidle() {
  // Handlers and callbacks call this, on threads that must never end the
  // process; with no current window there is nobody to wake.
  if (auto window = detail::find_window(detail::current_window_id_value())) {
    window->idle_event.set();
  }
}

void delay(int milliseconds) {
  detail::end_if_closed_by_user();
  std::this_thread::sleep_for(std::chrono::milliseconds(std::max(milliseconds, 0)));
  detail::end_if_closed_by_user();
}

int createmutex() {
  detail::end_if_closed_by_user();
  MutexTable& table = mutex_table();
  std::lock_guard lock(table.master);
  table.mutexes.push_back(std::make_unique<RecursiveTimedMutex>());
  return static_cast<int>(table.mutexes.size()) - 1;
}

int lockmutex(int id, int milliseconds) {
  detail::end_if_closed_by_user();
  RecursiveTimedMutex* mutex = find_mutex(id);
  if (!mutex) return 0;
  std::optional<std::chrono::milliseconds> limit;
  if (milliseconds >= 0) limit = std::chrono::milliseconds(milliseconds);
  return mutex->lock(limit) ? 1 : 0;
}

void unlockmutex(int id) {
  if (RecursiveTimedMutex* mutex = find_mutex(id)) mutex->unlock();
}

}  // namespace korvid
