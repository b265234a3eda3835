#pragma once
#include <vector>

#include "ui/OClipCheckBox.h"

class OEngine;
class OClipControl;

// A bar of check-box cells side by side, lit from the first cell up to the
// value. A click on a cell sets the value to that cell.
class AProgressBar {
public:
  // Makes `cells` cells from `picture` (copies sharing its pixels): cell i
  // at left + overlap + i * (cell width + overlap), at top and depth, all
  // unlit, each registered with the screen as a control. A negative overlap
  // lets the cells overlap.
  AProgressBar(OEngine* screen, const OClip& picture, int cells, int left, int top, int depth,
               int overlap);
  // Removes the cells from the screen and deletes them.
  ~AProgressBar();
  AProgressBar(const AProgressBar&) = delete;
  AProgressBar& operator=(const AProgressBar&) = delete;

  // Lights cells 0 to v; a value above the cell count changes nothing, a
  // negative one leaves every cell unlit.
  void setValue(int v);
  int value() const { return value_; }
  // True (and the value set) when `control` is one of the bar's cells.
  bool controlClicked(const OClipControl* control);

  int cellCount() const { return int(cells_.size()); }
  OClipCheckBox* cell(int i) const { return cells_[size_t(i)]; }
  int left() const { return left_; }
  int top() const { return top_; }
  int depth() const { return depth_; }
  int overlap() const { return overlap_; }

private:
  OEngine* screen_ = nullptr;
  std::vector<OClipCheckBox*> cells_;  // owned
  int value_ = -1;
  int left_ = 0;
  int top_ = 0;
  int depth_ = 0;
  int overlap_ = 0;
};
