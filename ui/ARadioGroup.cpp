#include "ui/ARadioGroup.h"

#include <memory>

#include "app/OEngine.h"

ARadioGroup::~ARadioGroup() {
  for (OClipCheckBox* box : boxes_) {
    if (screen_) screen_->removeControl(box, false);
    delete box;
  }
}

OClipCheckBox* ARadioGroup::addBox(const OClip& picture, double x, double y, double depth) {
  auto box = std::make_unique<OClipCheckBox>();
  if (!box->copyFrom(picture) || box->empty()) return nullptr;
  box->x = x;
  box->y = y;
  box->z = depth;
  box->visible = true;
  box->uncheck();
  boxes_.push_back(box.get());
  if (screen_) screen_->addControl(box.get());
  return box.release();
}

void ARadioGroup::select(int index) {
  if (index < 0 || index >= boxCount()) return;
  for (OClipCheckBox* box : boxes_) box->uncheck();
  boxes_[size_t(index)]->check();
  selected_ = index;
}

void ARadioGroup::moveTo(double x) {
  for (OClipCheckBox* box : boxes_) box->x = x;
}

int ARadioGroup::indexOf(const OClipControl* control) const {
  for (size_t i = 0; i < boxes_.size(); ++i) {
    if (boxes_[i] == control) return int(i);
  }
  return -1;
}

bool ARadioGroup::controlClicked(const OClipControl* control) {
  const int index = indexOf(control);
  if (index < 0) return false;
  select(index);
  return true;
}
