#pragma once
#include <memory>
#include <vector>

#include "sinkra/CFieldHost.h"

namespace SpaceSinkra {

// Bonus numbers that float up from where they were earned and fade out.
// They step on a family-wide timer: whenever it passes the delay it is reset
// and every number moves once and fades by alphaStep x speed factor; a
// number is dropped once its opacity level reaches 253.
class CFloatingNumbers {
public:
  // Adds a number (already placed by the caller) rising at `speed` pixels
  // per step.
  void add(std::unique_ptr<CNumberView> view, double speed);
  // One frame. `timer` is the family-wide timer the numbers share.
  void update(int ms, int delay, int alphaStep, double speedFactor, int& timer);
  void clear() { items_.clear(); }
  bool empty() const { return items_.empty(); }
  size_t size() const { return items_.size(); }
  const CNumberView& at(size_t i) const { return *items_[i].view; }

private:
  struct Item {
    std::unique_ptr<CNumberView> view;
    double speed = 0;
    double opacity = 0;
  };
  std::vector<Item> items_;
};

}  // namespace SpaceSinkra
