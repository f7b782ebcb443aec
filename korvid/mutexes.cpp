#include <memory>
#include <mutex>
#include <vector>

#include "korvid/window.h"

namespace korvid {
namespace {

// The master lock guards only the table; waiting for a mutex happens outside
// it, so one thread's wait never keeps another from unlocking.
struct MutexTable {
  std::mutex master;
  std::vector<std::unique_ptr<std::recursive_timed_mutex>> mutexes;
};

MutexTable& mutex_table() {
  // Never destroyed: callback threads may still unlock while the process ends.
  static auto* table = new MutexTable;
  return *table;
}

std::recursive_timed_mutex* find_mutex(int id) {
  MutexTable& table = mutex_table();
  std::lock_guard lock(table.master);
  if (id < 0 || id >= static_cast<int>(table.mutexes.size())) return nullptr;
  return table.mutexes[static_cast<std::size_t>(id)].get();
}

}  // namespace

int createmutex() {
  MutexTable& table = mutex_table();
  std::lock_guard lock(table.master);
  table.mutexes.push_back(std::make_unique<std::recursive_timed_mutex>());
  return static_cast<int>(table.mutexes.size()) - 1;
}

int lockmutex(int id, int milliseconds) {
  std::recursive_timed_mutex* mutex = find_mutex(id);
  if (!mutex) return 0;
  if (milliseconds < 0) {
    mutex->lock();
    return 1;
  }
  return mutex->try_lock_for(std::chrono::milliseconds(milliseconds)) ? 1 : 0;
}

void unlockmutex(int id) {
  if (std::recursive_timed_mutex* mutex = find_mutex(id)) mutex->unlock();
}

}  // namespace korvid
