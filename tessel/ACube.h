#pragma once
#include "gfx/OClip.h"

namespace SpaceTessel {

// One cube of the board: a copy of its colour's prototype picture that
// slides towards a target cell and fades in or out by a fixed step per
// update. The board owns its cubes; the screen only moves and draws them.
class ACube : public OClip {
public:
  // A cube of colour 1..6, transparent (250) and fading in by 5 per update,
  // without targets. It shows the colour's prototype picture when one is
  // loaded and `picture` is set, and is an empty clip otherwise (boards
  // without a screen need no pictures).
  explicit ACube(int color, bool picture = true);

  // The fade step, then stopping at the targets: a cube whose next step
  // would pass its target on an axis stops exactly on it.
  void tickClip(int elapsed) override;
  // A cube steps its own animation every tick.
  bool atRest() const override { return false; }

  // The target checks and the fade of one update without the frame
  // animation; boards without a screen call this after moving the cube.
  void step();

  // Transparency as the board sees it: 0 opaque .. 255 invisible.
  int transparency() const { return opacity < 0 ? 0 : opacity; }
  void setTransparency(int level) { setOpacity(level); }
  // |vx| or |vy| at least 0.5.
  bool moving() const;

  int color;
  double targetX = -1;
  double targetY = -1;
  int fadeStep = -5;
};

}  // namespace SpaceTessel
