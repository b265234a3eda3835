#pragma once
#include <memory>
#include <vector>

#include "gfx/OClip.h"

class OEngine;

// A number shown in a fixed row of digit cells. The digit picture has ten
// sequences, one per digit; each cell is a copy of it on the screen. With
// rolling the cells spin through their sequence and leading zeros rest on
// the last frame of "0".
class AClipNum {
public:
  // Makes `cells` cells at x + i * (cell width + spacing), y, depth, adds
  // them to the screen (when given) and shows `value` without rolling. The
  // digit picture is copied, so it need not outlive the number.
  AClipNum(OEngine* screen, const OClip& digits, int value, int cells, double x, double y,
           int spacing, double depth);
  // Removes the cells from the screen.
  ~AClipNum();
  AClipNum(const AClipNum&) = delete;
  AClipNum& operator=(const AClipNum&) = delete;

  // Shows `value` in the cells, last cell the units. Digits beyond the
  // cells are dropped; a negative value shows as 0.
  void setValue(int value, bool rolling);
  // All cells roll (on) or stop on their last frame (off).
  void roll(bool on);
  // Shifts every cell by the change of position.
  void moveTo(double x, double y, double depth);

  void setOpacity(int level);
  void setVisible(bool visible);
  void setVelocity(double vx, double vy, double vz);

  int cellCount() const { return int(cells_.size()); }
  OClip& cell(int i) const { return *cells_[size_t(i)]; }
  double x() const { return x_; }
  double y() const { return y_; }
  double depth() const { return depth_; }
  int spacing() const { return spacing_; }
  bool visible() const { return visible_; }

private:
  static int lastFrame(const OClip& cell, int sequence);

  OEngine* screen_ = nullptr;
  OClip digits_;
  double x_ = 0;
  double y_ = 0;
  double depth_ = 0;
  int spacing_ = 0;
  std::vector<OClip*> cells_;  // owned by the screen while added to it
  bool visible_ = true;
};
