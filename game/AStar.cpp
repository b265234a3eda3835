#include "game/AStar.h"

#include "platform/Random.h"

namespace {
constexpr int kStartOpacity = 70;
constexpr double kDepth = -100000;
}  // namespace

int AStar::randomDrift() {
  int a = zb::random(2) - 2;
  return zb::random(2) * a + 1;
}

AStar::AStar(const OClip& star, double x0, double y0, int w, int h, int row, int step)
    : opacityStep(step) {
  double px = zb::random(w) + x0 - star.width / 2;
  double py = zb::random(h) + y0 - star.height / 2;
  int driftX = randomDrift();
  int driftY = randomDrift();
  // Only the chosen row is copied: a spark never shows another, and sparks
  // are made by the hundred in a large explosion.
  if (star.sequenceCount > 0) {
    if (row < 0 || row > 5 || row >= star.sequenceCount) row = zb::random(5) % star.sequenceCount;
    copyFrom(*star.sequences[static_cast<size_t>(row)]);
  } else {
    copyFrom(star);
  }
  // The screen would move the spark by whole frame steps; the spark moves
  // itself once per update instead so its path does not depend on lag.
  moves = false;
  vx = driftX;
  vy = driftY;
  x = px;
  y = py;
  z = kDepth;
  vz = 0;
  visible = true;
  lifetime = -1;
  if (imageCount > 0) showFrame(zb::random(imageCount));
  setOpacity(kStartOpacity);
}

void AStar::tickClip(int elapsed) {
  x += vx;
  y += vy;
  z += vz;
  if (opacity < 0) setOpacity(30);
  if (opacityStep != 0) {
    int level = opacity + opacityStep;
    if (level >= 256) {
      opacityStep = 0;
      level = 255;
      lifetime = 0;  // the screen removes the spark after this tick
    } else if (level < 0) {
      level = 0;
      opacityStep = -opacityStep;
    }
    setOpacity(level);
  }
  if (twinkle) {
    if (imageCount > 1) showFrame(zb::random(imageCount));
  } else {
    OClip::tickClip(elapsed);
  }
}
