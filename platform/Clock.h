#pragma once
#include <cstdint>

// The millisecond clock. The real one is SDL's; tests and headless runs
// install a virtual clock so time is under their control.
namespace zb {

class Clock {
public:
  virtual ~Clock() = default;
  virtual uint32_t nowMs() = 0;
};

// A clock that only moves when told to.
class ManualClock : public Clock {
public:
  uint32_t nowMs() override { return now_; }
  void advance(uint32_t ms) { now_ += ms; }
  void set(uint32_t ms) { now_ = ms; }

private:
  uint32_t now_ = 0;
};

// Milliseconds from the installed clock (SDL's by default).
uint32_t nowMs();
// Installs a clock (not owned); nullptr restores the real one.
void setClock(Clock* clock);

}  // namespace zb
