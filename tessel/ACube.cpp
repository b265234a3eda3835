#include "tessel/ACube.h"

#include <cmath>

#include "tessel/AGameFieldShared.h"

namespace SpaceTessel {

ACube::ACube(int c, bool picture) : color(c) {
  if (picture && c >= 1 && c <= 6 && shared().cubePictures[c]) copyFrom(*shared().cubePictures[c]);
  // The board owns the cube: the screen must never expire or drop it.
  lifetime = -1;
  boundsCheck = false;
  vx = vy = vz = 0;
  visible = true;
  moves = true;
  setOpacity(250);
}

bool ACube::moving() const { return std::fabs(vx) >= 0.5 || std::fabs(vy) >= 0.5; }

void ACube::step() {
  if (fadeStep != 0) {
    int level = transparency() + fadeStep;
    if (level >= 256) {
      level = 255;
      fadeStep = 0;
    } else if (level < 0) {
      level = 0;
      fadeStep = 0;
    }
    setOpacity(level);
  }
  // Stop on the target when the next step would pass it.
  if (targetX > -1 && vx != 0 && ((vx > 0 && targetX < x + vx) || (vx < 0 && targetX > x + vx))) {
    vx = 0;
    x = targetX;
  }
  if (targetY > -1 && vy != 0 && ((vy > 0 && targetY < y + vy) || (vy < 0 && targetY > y + vy))) {
    vy = 0;
    y = targetY;
  }
  if (transparency() != 0 && fadeStep < 0) shared().cubesFadingIn = true;
}

void ACube::tickClip(int elapsed) {
  step();
  OClip::tickClip(elapsed);
}

}  // namespace SpaceTessel
