#pragma once
#include "app/OClipControl.h"

// A check box drawn from a clip. With fewer than 6 looks, look 0 is
// unchecked and 1 checked; with 6 or more: 0 unchecked, 1 checked,
// 2 unchecked pressed, 3 checked pressed, 4 unchecked hovered, 5 checked
// hovered.
class OClipCheckBox : public OClipControl {
public:
  enum : int {
    kUnchecked = 0,
    kChecked = 1,
    kUncheckedPressed = 2,
    kCheckedPressed = 3,
    kUncheckedHovered = 4,
    kCheckedHovered = 5,
  };

  OClipCheckBox() = default;

  void check();
  void uncheck();
  bool checked() const { return checked_ != 0; }

  bool hitMove(int x, int y, bool leftHeld) override;
  bool hitPress(int x, int y) override;
  // A release on the box flips it.
  bool hitRelease(int x, int y) override;
  // Any key flips the box.
  void keyDown(int key, int mods) override;

  int stateCount() const;
  int state() const;
  void showState(int s);

private:
  // Whether the picture has the pressed and hovered looks.
  bool sixLooks() const { return stateCount() >= 6; }
  void showPlain() { showState(checked_ ? kChecked : kUnchecked); }

  uint8_t checked_ = 0;
};
