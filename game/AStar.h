#pragma once
#include "gfx/OClip.h"

// The spark of explosions, shared by every family: a copy of the star
// picture placed at a random point of the object that burst, drifting by up
// to one pixel per update, fading out and back in once and twinkling through
// the frames of its row until it has faded completely; the screen then drops
// it. Sparks are owned by the screen they are added to.
class AStar : public OClip {
public:
  // A spark at a random point of the area (x, y, width x height): the star
  // is centred on that point. `row` picks the star's sequence (values
  // outside 0..5 pick a random one of the first five); the start frame is
  // random within it. Draws its random numbers in the order x, y, horizontal
  // velocity, vertical velocity, row (only when out of range), frame. Only
  // the chosen row of the star is copied.
  AStar(const OClip& star, double x, double y, int width, int height, int row,
        int opacityStep = -40);

  // One update: own motion step, then the fade and the twinkle.
  void tickClip(int elapsed) override;
  // Sparks drift and fade every tick.
  bool atRest() const override { return false; }

  // Velocity component of a spark: +1 with chance 1/2, 0 or -1 with 1/4 each.
  static int randomDrift();

  int opacityStep;
  bool twinkle = true;
};
