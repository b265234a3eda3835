#pragma once
#include "app/OClipControl.h"

// A push button drawn from a clip whose states are 0 idle, 1 pressed and
// 2 hovered. What a click does belongs to the screen (onControlClicked).
class OClipButton : public OClipControl {
public:
  enum : int { kIdle = 0, kPressed = 1, kHovered = 2 };

  OClipButton() = default;

  bool hitMove(int x, int y, bool leftHeld) override;
  bool hitPress(int x, int y) override;
  // Shows the hovered look when the pointer is still on the button.
  bool hitRelease(int x, int y) override;
  void setFocus(bool on) override;

  bool hovered() const { return hovered_ != 0; }

  // Number of looks: the sequences of the clip, or its frames for a clip
  // without sequences.
  int stateCount() const;
  // The look on show.
  int state() const;
  // Shows look `s` (its first frame); out-of-range looks are ignored.
  void showState(int s);

protected:
  // Leaves the hovered and pressed looks for the idle one.
  void leaveHover();

  uint8_t hovered_ = 0;
};
