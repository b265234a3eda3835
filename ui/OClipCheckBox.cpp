#include "ui/OClipCheckBox.h"

int OClipCheckBox::stateCount() const { return sequenceCount > 0 ? sequenceCount : imageCount; }

int OClipCheckBox::state() const { return sequenceCount > 0 ? currentSequence : currentFrame; }

void OClipCheckBox::showState(int s) {
  if (s < 0 || s >= stateCount()) return;
  if (sequenceCount > 0) {
    showFrame(0, s);
  } else {
    showFrame(s);
  }
}

void OClipCheckBox::check() {
  checked_ = 1;
  showState(kChecked);
}

void OClipCheckBox::uncheck() {
  checked_ = 0;
  showState(kUnchecked);
}

void OClipCheckBox::keyDown(int /*key*/, int /*mods*/) {
  if (checked_) {
    uncheck();
  } else {
    check();
  }
}

bool OClipCheckBox::hitRelease(int x, int y) {
  if (!hitTest(x, y)) {
    if (stateCount() > 1) showPlain();
    return false;
  }
  checked_ = !checked_;
  if (sixLooks()) {
    showState(checked_ ? kCheckedPressed : kUncheckedPressed);
  } else {
    showPlain();
  }
  return true;
}

bool OClipCheckBox::hitPress(int x, int y) {
  if (!hitTest(x, y)) {
    showPlain();
    return false;
  }
  if (sixLooks()) {
    showState(checked_ ? kCheckedPressed : kUncheckedPressed);
  } else {
    showPlain();
  }
  pressed = true;
  return true;
}

bool OClipCheckBox::hitMove(int x, int y, bool leftHeld) {
  if (!hitTest(x, y)) {
    showPlain();
    return false;
  }
  if (!sixLooks()) {
    showPlain();
  } else if (!leftHeld) {
    showState(checked_ ? kCheckedHovered : kUncheckedHovered);
  }
  return true;
}
