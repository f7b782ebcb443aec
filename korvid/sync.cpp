#include "korvid/internal/sync.h"

namespace korvid::detail {

void FairMutex::lock() {
  std::unique_lock lock(mutex_);
  const std::uint64_t ticket = next_ticket_++;
  turn_.wait(lock, [&] { return serving_ == ticket; });
}

void FairMutex::unlock() {
  {
    std::lock_guard lock(mutex_);
    ++serving_;
  }
  turn_.notify_all();
}

void AutoResetEvent::set() {
  {
    std::lock_guard lock(mutex_);
    set_ = true;
  }
  signalled_.notify_one();
}

void AutoResetEvent::wait() {
  std::unique_lock lock(mutex_);
  ++waiters_;
  signalled_.wait(lock, [&] { return set_; });
  --waiters_;
  set_ = false;
}

bool AutoResetEvent::wait_for(std::chrono::milliseconds limit) {
  std::unique_lock lock(mutex_);
  ++waiters_;
  const bool woken = signalled_.wait_for(lock, limit, [&] { return set_; });
  --waiters_;
  if (woken) set_ = false;
  return woken;
}

bool AutoResetEvent::has_waiter() {
  std::lock_guard lock(mutex_);
  return waiters_ > 0;
}

void TimedMutex::lock() {
  std::unique_lock lock(mutex_);
  released_.wait(lock, [&] { return !locked_; });
  locked_ = true;
}

bool TimedMutex::try_lock() {
  std::lock_guard lock(mutex_);
  if (locked_) return false;
  locked_ = true;
  return true;
}

void TimedMutex::unlock() {
  {
    std::lock_guard lock(mutex_);
    locked_ = false;
  }
  released_.notify_one();
}

bool RecursiveTimedMutex::lock(std::optional<std::chrono::milliseconds> limit) {
  const auto me = std::this_thread::get_id();
  std::unique_lock lock(mutex_);
  auto available = [&] { return depth_ == 0 || owner_ == me; };
  if (limit) {
    if (!released_.wait_for(lock, *limit, available)) return false;
  } else {
    released_.wait(lock, available);
  }
  owner_ = me;
  ++depth_;
  return true;
}

bool RecursiveTimedMutex::unlock() {
  {
    std::lock_guard lock(mutex_);
    if (depth_ == 0 || owner_ != std::this_thread::get_id()) return false;
    if (--depth_ > 0) return true;
    owner_ = std::thread::id();
  }
  released_.notify_one();
  return true;
}

}  // namespace korvid::detail
