#include "ui/AProgressBar.h"

#include <algorithm>
#include <memory>

#include "app/OEngine.h"

AProgressBar::AProgressBar(OEngine* screen, const OClip& picture, int cells, int left, int top,
                           int depth, int overlap)
    : screen_(screen), left_(left), top_(top), depth_(depth), overlap_(overlap) {
  int x = left + overlap;
  for (int i = 0; i < std::clamp(cells, 0, 1000); ++i) {
    auto cell = std::make_unique<OClipCheckBox>();
    if (!cell->copyFrom(picture) || cell->empty()) break;
    cell->x = x;
    cell->y = top;
    cell->z = depth;
    cell->visible = true;
    cell->uncheck();
    x += cell->width + overlap;
    cells_.push_back(cell.get());
    if (screen_) screen_->addControl(cell.get());
    cell.release();
  }
}

AProgressBar::~AProgressBar() {
  for (OClipCheckBox* cell : cells_) {
    if (screen_) screen_->removeControl(cell, false);
    delete cell;
  }
}

void AProgressBar::setValue(int v) {
  if (v > cellCount()) return;
  for (int i = 0; i < cellCount(); ++i) {
    if (i <= v) {
      cells_[size_t(i)]->check();
    } else {
      cells_[size_t(i)]->uncheck();
    }
  }
  value_ = v;
}

bool AProgressBar::controlClicked(const OClipControl* control) {
  for (int i = 0; i < cellCount(); ++i) {
    if (cells_[size_t(i)] == control) {
      setValue(i);
      return true;
    }
  }
  return false;
}
