#include "sinkra/CFloatingNumbers.h"

#include <algorithm>

namespace SpaceSinkra {

void CFloatingNumbers::add(std::unique_ptr<CNumberView> view, double speed) {
  if (!view) return;
  view->setOpacity(0);
  view->setVisible(true);
  items_.push_back(Item{std::move(view), speed, 0});
}

void CFloatingNumbers::update(int ms, int delay, int alphaStep, double speedFactor, int& timer) {
  if (items_.empty()) return;
  timer += ms;
  if (timer <= delay) return;
  timer = 0;
  // A zero fade from a damaged rules file would keep numbers for ever.
  double fade = std::max(1.0, alphaStep * speedFactor);
  for (auto& item : items_) {
    CNumberView& v = *item.view;
    v.moveTo(v.x, v.y - item.speed, v.z);
    item.opacity += fade;
    v.setOpacity(std::min(255, static_cast<int>(item.opacity)));
  }
  items_.erase(std::remove_if(items_.begin(), items_.end(),
                              [](const Item& i) { return i.opacity >= 253; }),
               items_.end());
}

}  // namespace SpaceSinkra
