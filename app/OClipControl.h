#pragma once
#include "gfx/OClip.h"

// A clip that takes input. A screen keeps its controls in its control list
// (as well as its clip list) and hands them pointer and key events in
// screen coordinates. The base answers every event with false and does
// nothing; the concrete controls (buttons, check boxes, edit fields) decide
// what an event means to them.
class OClipControl : public OClip {
public:
  explicit OClipControl(std::shared_ptr<DibSection> section = nullptr) : OClip(std::move(section)) {}

  // The pointer moved to (x, y); leftHeld tells whether the left button is down.
  virtual bool hitMove(int x, int y, bool leftHeld);
  virtual bool hitPress(int x, int y);
  virtual bool hitRelease(int x, int y);
  virtual void keyDown(int key, int mods);
  virtual void charTyped(unsigned char ch, int mods);
  // Gives (true) or takes away (false) the keyboard focus.
  virtual void setFocus(bool on);

  // True when (x, y) lies in the control's rectangle (x to x + width and y
  // to y + height, both ends included) and, for a shaped control, on a
  // pixel of the frame on show that is neither the colour key nor fully
  // transparent in its alpha plane.
  bool hitTest(int x, int y) const;

  bool pressed = false;  // a press began inside the control
  bool focused = false;  // the control takes keyboard input
  bool shaped = false;   // hit testing ignores transparent pixels
  bool enabled = true;
};
