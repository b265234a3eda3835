#pragma once
#include <chrono>
#include <condition_variable>
#include <mutex>

// A fixed set of wake-up events a worker waits on together. Event 0 is
// manual-reset (stays set once signalled); the others reset when a wait
// returns them. A wait returns the lowest-numbered set event, so the order
// of the numbers is the order of priority.
class WakeEvents {
public:
  static constexpr int kCount = 7;
  static constexpr int kTimeout = -1;

  void signal(int event);
  // Clears a signalled event that no wait has taken yet.
  void reset(int event);
  // The lowest-numbered set event, or kTimeout after `timeout` with none set.
  int wait(std::chrono::milliseconds timeout);
  bool isSet(int event);

private:
  int takeLocked();

  std::mutex mutex_;
  std::condition_variable cv_;
  bool set_[kCount] = {};
};
