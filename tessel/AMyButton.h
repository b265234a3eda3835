#pragma once
#include "ui/OClipButton.h"

class OEngine;

namespace SpaceTessel {

// A launch button beside the board: the border piece of its side's colour.
// While pointed at it shows the piece's lit state (a button's hovered
// state), pulses between opaque and half transparent and, with
// the animation setting on, now and then throws off a sparkle of its
// colour; when the pointer leaves it is opaque again.
class AMyButton : public OClipButton {
public:
  static constexpr int kPulseTop = 150;
  static constexpr int kPulseStep = 2;

  // side 1..4 (bottom, top, right, left) and line 1..11 of the launch it
  // stands for; colour 1..6 picks the sparkle row. The screen, the sparkle
  // picture and the animation flag are not owned and outlive the button.
  AMyButton(OEngine* screen, const OClip* sparkle, const bool* animation, int side, int line, int colour);

  void tickClip(int elapsed) override;
  // The pulse of a pointed button runs every tick.
  bool atRest() const override { return false; }

  int side() const { return side_; }
  int line() const { return line_; }
  int colour() const { return colour_; }
  // Current transparency of the pulse, 0 when not pointed at.
  int pulse() const { return pulse_; }

private:
  OEngine* screen_;
  const OClip* sparkle_;
  const bool* animation_;
  int side_, line_, colour_;
  int pulse_ = 0;
  int pulseStep_ = kPulseStep;
};

}  // namespace SpaceTessel
