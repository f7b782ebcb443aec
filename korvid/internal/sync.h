// Small synchronisation pieces the window records are built from.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace korvid::detail {

// A first-come first-served lock: drawing on the program thread and painting on
// the window thread take turns, so neither can starve the other.
class FairMutex {
 public:
  void lock();
  void unlock();

 private:
  std::mutex mutex_;
  std::condition_variable turn_;
  std::uint64_t next_ticket_ = 0;
  std::uint64_t serving_ = 0;
};

// An auto-reset event: `set` wakes one wait (or the next one, if nobody waits);
// several sets before a wait collapse into one wake-up.
class AutoResetEvent {
 public:
  void set();
  void wait();
  // True when the event was set, false when the time ran out.
  bool wait_for(std::chrono::milliseconds limit);

 private:
  std::mutex mutex_;
  std::condition_variable signalled_;
  bool set_ = false;
};

}  // namespace korvid::detail
