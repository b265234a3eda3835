#include "ui/OClipButton.h"

int OClipButton::stateCount() const { return sequenceCount > 0 ? sequenceCount : imageCount; }

int OClipButton::state() const { return sequenceCount > 0 ? currentSequence : currentFrame; }

void OClipButton::showState(int s) {
  if (s < 0 || s >= stateCount()) return;
  if (sequenceCount > 0) {
    showFrame(0, s);
  } else {
    showFrame(s);
  }
}

bool OClipButton::hitMove(int x, int y, bool leftHeld) {
  if (!enabled || !hitTest(x, y)) {
    leaveHover();
    return false;
  }
  if (pressed && leftHeld) {
    if (state() != kPressed) showState(kPressed);
  } else if (state() != kHovered) {
    showState(kHovered);
  }
  hovered_ = 1;
  return true;
}

bool OClipButton::hitPress(int x, int y) {
  if (!enabled || !hitTest(x, y)) return false;
  if (stateCount() >= 2) showState(kPressed);
  pressed = true;
  return true;
}

bool OClipButton::hitRelease(int x, int y) {
  if (!enabled || !hitTest(x, y)) {
    leaveHover();
    return false;
  }
  if (state() != kHovered) showState(kHovered);
  return true;
}

void OClipButton::setFocus(bool on) {
  if (!on) {
    leaveHover();
    focused = false;
    return;
  }
  if (focused) return;
  if (state() != kHovered) showState(kHovered);
  hovered_ = 1;
  focused = true;
}

void OClipButton::leaveHover() {
  if (state() != kIdle) showState(kIdle);
  hovered_ = 0;
}
