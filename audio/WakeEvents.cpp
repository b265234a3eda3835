#include "audio/WakeEvents.h"

void WakeEvents::signal(int event) {
  if (event < 0 || event >= kCount) return;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    set_[event] = true;
  }
  cv_.notify_all();
}

void WakeEvents::reset(int event) {
  if (event < 0 || event >= kCount) return;
  std::lock_guard<std::mutex> lock(mutex_);
  set_[event] = false;
}

bool WakeEvents::isSet(int event) {
  if (event < 0 || event >= kCount) return false;
  std::lock_guard<std::mutex> lock(mutex_);
  return set_[event];
}

int WakeEvents::wait(std::chrono::milliseconds timeout) {
  std::unique_lock<std::mutex> lock(mutex_);
  int taken = kTimeout;
  cv_.wait_for(lock, timeout, [&] { return (taken = takeLocked()) != kTimeout; });
  return taken;
}

int WakeEvents::takeLocked() {
  for (int i = 0; i < kCount; ++i) {
    if (set_[i]) {
      if (i != 0) set_[i] = false;  // event 0 is manual-reset
      return i;
    }
  }
  return kTimeout;
}
