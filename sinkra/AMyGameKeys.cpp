#include <algorithm>

#include "app/OAppState.h"
#include "game/AGameHost.h"
#include "platform/KeyCodes.h"
#include "sinkra/AMyGame.h"
#include "sinkra/CGameField.h"
#include "sinkra/CTurnGame.h"

namespace SpaceSinkra {

void AMyGame::fitCursor() {
  const CGameMap& grid = current_->grid();
  int w = grid.width(), h = grid.height();
  if (cursor_ < 0 || cursor_ >= w * h) cursor_ = (h / 2) * w + w / 2;
}

int AMyGame::onKeyDown(int key, int mods) {
  bool play = !demo_ && !replaying_ && !paused_ && current_ && !main().newGameNeeded;
  int taken = ASinkraWnd::onKeyDown(key, mods);
  int dx = 0, dy = 0;
  bool take = key == zb::vk::Enter || key == zb::vk::Space;
  if (!play || !(take || zb::arrowStep(key, dx, dy))) return taken;
  const CGameMap& grid = current_->grid();
  int w = grid.width(), h = grid.height();
  if (w <= 0 || h <= 0) return taken;
  fitCursor();
  OAppState& app = main().app();
  if (!app.keysInUse) {
    // The first key shows the cursor where it stands.
    app.keysInUse = true;
  } else if (take) {
    auto* turn = dynamic_cast<CTurnGame*>(current_);
    if (!turn || turn->whoseTurn() == 0) current_->click(cursor_);
  } else {
    int col = std::clamp(cursor_ % w + dx, 0, w - 1);
    int row = std::clamp(cursor_ / w + dy, 0, h - 1);
    cursor_ = row * w + col;
  }
  current_->hover(cursor_);
  return 1;
}

void AMyGame::relightCursor() {
  bool idle = current_->idle() && !current_->anyMoving();
  if (idle && !fieldWasIdle_ && cursor_ >= 0 && main().app().keysInUse && !paused_ && !demo_) {
    fitCursor();
    current_->hover(cursor_);
  }
  fieldWasIdle_ = idle;
}

bool AMyGame::keyFocusRect(ORect& rect) const {
  if (!main().app().keysInUse || cursor_ < 0 || !current_ || paused_ || demo_ || replaying_) return false;
  int left = int(current_->cellX(cursor_)), top = int(current_->cellY(cursor_));
  int size = int(current_->cellSize());
  rect = ORect{left, top, left + size, top + size};
  return true;
}

}  // namespace SpaceSinkra
