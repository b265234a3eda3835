#pragma once
#include <vector>

#include "ui/OClipCheckBox.h"

class OEngine;
class OClipControl;

// A row of check boxes of which exactly one is checked. The boxes are
// owned by the group and live on its screen as controls; the screen hands
// clicks on to `controlClicked`.
class ARadioGroup {
public:
  explicit ARadioGroup(OEngine* screen) : screen_(screen) {}
  // Removes the boxes from the screen and deletes them.
  ~ARadioGroup();
  ARadioGroup(const ARadioGroup&) = delete;
  ARadioGroup& operator=(const ARadioGroup&) = delete;

  // Adds a box drawn from `picture` (a copy sharing its pixels) at x, y and
  // depth, unchecked; returns it, or nullptr for an empty picture.
  OClipCheckBox* addBox(const OClip& picture, double x, double y, double depth);

  // Checks box `index` and unchecks the others; an index outside the boxes
  // changes nothing.
  void select(int index);
  int selected() const { return selected_; }
  // Sets the x of every box.
  void moveTo(double x);
  // True (and the box selected) when `control` is one of the group's boxes.
  bool controlClicked(const OClipControl* control);

  int boxCount() const { return int(boxes_.size()); }
  OClipCheckBox* box(int i) const { return boxes_[size_t(i)]; }
  int indexOf(const OClipControl* control) const;

private:
  OEngine* screen_ = nullptr;
  std::vector<OClipCheckBox*> boxes_;  // owned
  int selected_ = -1;
};
