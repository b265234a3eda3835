#include "ui/AClipNum.h"

#include "app/OEngine.h"
#include "platform/Random.h"

AClipNum::AClipNum(OEngine* screen, const OClip& digits, int value, int cells, double x, double y,
                   int spacing, double depth)
    : screen_(screen), x_(x), y_(y), depth_(depth), spacing_(spacing) {
  // Digits only: the panel's number font is a whole letter set.
  digits_.copyFrom(digits, false, 0, 10);
  for (int i = 0; i < cells; ++i) {
    auto cell = std::make_unique<OClip>();
    cell->copyFrom(digits_);
    cell->x = x + i * (digits_.width + spacing);
    cell->y = y;
    cell->z = depth;
    cell->visible = true;
    cells_.push_back(cell.get());
    if (screen_) {
      screen_->addClip(cell.release());
    } else {
      cell.release();
    }
  }
  setValue(value, false);
}

AClipNum::~AClipNum() {
  for (OClip* cell : cells_) {
    if (screen_) {
      screen_->removeClip(cell, true);
    } else {
      delete cell;
    }
  }
}

int AClipNum::lastFrame(const OClip& cell, int sequence) {
  if (sequence < 0 || sequence >= int(cell.sequences.size())) return 0;
  return std::max(0, cell.sequences[size_t(sequence)]->imageCount - 1);
}

void AClipNum::setValue(int value, bool rolling) {
  if (value < 0) value = 0;
  for (int i = int(cells_.size()) - 1; i >= 0; --i) {
    OClip& cell = *cells_[size_t(i)];
    const int digit = value % 10;
    if (!rolling) {
      cell.showFrame(0, digit);
      cell.stopped = false;
    } else if (value != 0) {
      // Spin from anywhere but the last frame so every cell visibly rolls.
      const int frames = digit < int(cell.sequences.size())
                             ? cell.sequences[size_t(digit)]->imageCount
                             : cell.imageCount;
      cell.showFrame(zb::random(frames - 1), digit);
      cell.stopped = false;
    } else {
      cell.showFrame(lastFrame(cell, 0), 0);
      cell.stopped = true;
    }
    value /= 10;
  }
}

void AClipNum::roll(bool on) {
  for (OClip* cell : cells_) {
    if (on) {
      cell->stopped = false;
    } else {
      cell->showFrame(lastFrame(*cell, cell->currentSequence), -1);
      cell->stopped = true;
    }
  }
}

void AClipNum::moveTo(double x, double y, double depth) {
  const double dx = x - x_;
  const double dy = y - y_;
  const double dz = depth - depth_;
  for (OClip* cell : cells_) {
    cell->x += dx;
    cell->y += dy;
    cell->z += dz;
  }
  x_ = x;
  y_ = y;
  depth_ = depth;
}

void AClipNum::setOpacity(int level) {
  for (OClip* cell : cells_) cell->setOpacity(level);
}

void AClipNum::setVisible(bool visible) {
  visible_ = visible;
  for (OClip* cell : cells_) cell->visible = visible;
}

void AClipNum::setVelocity(double vx, double vy, double vz) {
  for (OClip* cell : cells_) {
    cell->vx = vx;
    cell->vy = vy;
    cell->vz = vz;
  }
}
