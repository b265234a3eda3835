#include "app/OAppState.h"
#include "game/AGameHost.h"
#include "platform/KeyCodes.h"
#include "tessel/AGameField.h"
#include "tessel/AMyButton.h"
#include "tessel/ATesselGame.h"

namespace SpaceTessel {

namespace {

// The way round the ring (+1 clockwise) an arrow goes on each side of it:
// top, right, bottom, left.
int ringStep(int sideOfRing, int dx, int dy) {
  switch (sideOfRing) {
    case 0: return dx;
    case 1: return dy;
    case 2: return -dx;
    default: return -dy;
  }
}

}  // namespace

AMyButton* ATesselGame::ringButton(int i) const {
  if (i < 0 || i >= kRingSize) return nullptr;
  int k = i % kRingSide;
  switch (i / kRingSide) {
    case 0: return button(kTop, kFirstInner + k);
    case 1: return button(kRight, kFirstInner + k);
    case 2: return button(kBottom, kLastInner - k);
    default: return button(kLeft, kLastInner - k);
  }
}

void ATesselGame::fitRingCursor() {
  // It starts in the middle of the top side; a position without a launch
  // hands the cursor on clockwise.
  int start = ringCursor_ < 0 ? kRingSide / 2 : ringCursor_;
  ringCursor_ = -1;
  for (int n = 0; n < kRingSize; ++n) {
    int i = (start + n) % kRingSize;
    if (ringButton(i)) {
      ringCursor_ = i;
      return;
    }
  }
}

void ATesselGame::lightRingCursor() {
  AMyButton* lit = ringButton(ringCursor_);
  for (int i = 0; i < kRingSize; ++i) {
    AMyButton* b = ringButton(i);
    if (!b) continue;
    if (b == lit && !b->hovered()) {
      b->hitMove(int(b->x) + b->width / 2, int(b->y) + b->height / 2, false);
    } else if (b != lit && b->hovered()) {
      b->hitMove(-1, -1, false);  // as a pointer leaving it
    }
  }
}

int ATesselGame::onKeyDown(int key, int mods) {
  bool play = !demo_ && !replaying_ && !paused_ && board_ && !main().newGameNeeded;
  int taken = ATesselWnd::onKeyDown(key, mods);
  if (!play) return taken;
  if (key == 'U' || (key == 'Z' && (mods & zb::ModCtrl))) {
    if (undoAvailable_) undo();
    return 1;
  }
  int dx = 0, dy = 0;
  bool take = key == zb::vk::Enter || key == zb::vk::Space;
  if (!take && !zb::arrowStep(key, dx, dy)) return taken;
  fitRingCursor();
  if (ringCursor_ < 0) return taken;
  OAppState& app = main().app();
  if (!app.keysInUse) {
    app.keysInUse = true;  // the first key shows the cursor where it stands
  } else if (take) {
    launch(ringButton(ringCursor_));
  } else if (int step = ringStep(ringCursor_ / kRingSide, dx, dy)) {
    for (int n = 1; n < kRingSize; ++n) {
      int i = (ringCursor_ + step * n + kRingSize) % kRingSize;
      if (ringButton(i)) {
        ringCursor_ = i;
        break;
      }
    }
  }
  lightRingCursor();
  return 1;
}

bool ATesselGame::keyFocusRect(ORect& rect) const {
  if (!main().app().keysInUse || demo_ || replaying_ || paused_) return false;
  const AMyButton* b = ringButton(ringCursor_);
  if (!b) return false;
  rect = ORect{int(b->x), int(b->y), int(b->x) + b->width, int(b->y) + b->height};
  return true;
}

}  // namespace SpaceTessel
