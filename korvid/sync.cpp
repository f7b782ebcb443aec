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
  signalled_.wait(lock, [&] { return set_; });
  set_ = false;
}

bool AutoResetEvent::wait_for(std::chrono::milliseconds limit) {
  std::unique_lock lock(mutex_);
  if (!signalled_.wait_for(lock, limit, [&] { return set_; })) return false;
  set_ = false;
  return true;
}

}  // namespace korvid::detail
