// Small synchronisation pieces the window records are built from.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <thread>

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
  // Whether a thread is inside `wait` or `wait_for` right now.
  bool has_waiter();

 private:
  std::mutex mutex_;
  std::condition_variable signalled_;
  bool set_ = false;
  int waiters_ = 0;
};

// A drop-in for std::timed_mutex that the thread sanitizer can follow:
// libstdc++ takes a timed mutex with pthread_mutex_clocklock, which GCC 12's
// sanitizer does not intercept, so it saw every such lock as none and every
// release as a release of a free mutex. This one waits on a condition variable.
class TimedMutex {
 public:
  void lock();
  bool try_lock();
  void unlock();
  template <class Rep, class Period>
  bool try_lock_for(const std::chrono::duration<Rep, Period>& limit) {
    std::unique_lock lock(mutex_);
    if (!released_.wait_for(lock, limit, [&] { return !locked_; })) return false;
    locked_ = true;
    return true;
  }

 private:
  std::mutex mutex_;
  std::condition_variable released_;
  bool locked_ = false;
};

// A recursive lock with a time limit that knows who holds it. Programs hand
// these out by number, so a release by the wrong thread is a real possibility;
// it is refused instead of corrupting the lock.
class RecursiveTimedMutex {
 public:
  // Waits at most `limit` (without limit when empty). True when the calling
  // thread holds the lock afterwards; a holder may lock again.
  bool lock(std::optional<std::chrono::milliseconds> limit);
  // Releases one level. False, changing nothing, when the caller does not hold it.
  bool unlock();

 private:
  std::mutex mutex_;
  std::condition_variable released_;
  std::thread::id owner_;
  long depth_ = 0;
};

}  // namespace korvid::detail
