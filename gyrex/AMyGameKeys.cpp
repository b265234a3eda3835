#include <algorithm>

#include "app/OAppState.h"
#include "game/AGameHost.h"
#include "gyrex/AMyGame.h"
#include "platform/KeyCodes.h"

namespace SpaceGyrex {

void AMyGame::pointAtCursor() {
  field_.PointAt(field_.elementX(cursorColumn_) + RVisualField::kElementSize / 2,
                 field_.elementY(cursorRow_) + RVisualField::kElementSize / 2);
}

int AMyGame::onKeyDown(int key, int mods) {
  bool play = playing() && !main().newGameNeeded;
  int taken = AGyrexWnd::onKeyDown(key, mods);
  if (!play) return taken;
  int dx = 0, dy = 0;
  bool enter = key == zb::vk::Enter || key == zb::vk::Space;
  bool back = key == zb::vk::Backspace || (key == zb::vk::Enter && (mods & zb::ModShift));
  bool hint = key == 'H';
  if (!enter && !back && !hint && !zb::arrowStep(key, dx, dy)) return taken;
  if (cursorColumn_ < 0) {
    cursorColumn_ = kColumns / 2;
    cursorRow_ = kRows / 2;
  }
  OAppState& app = main().app();
  if (hint) {
    app.keysInUse = true;
    field_.ShowHint();
    // The cursor follows the hint, so Return makes the move shown.
    if (field_.hintColumn >= 0) cursorColumn_ = field_.hintColumn;
    if (field_.hintRow >= 0) cursorRow_ = field_.hintRow;
    return 1;
  }
  if (!app.keysInUse) {
    app.keysInUse = true;  // the first key shows the cursor where it stands
  } else if (back || enter) {
    field_.Click(field_.elementX(cursorColumn_) + RVisualField::kElementSize / 2,
                 field_.elementY(cursorRow_) + RVisualField::kElementSize / 2, !back);
    return 1;
  } else {
    cursorColumn_ = std::clamp(cursorColumn_ + dx, 0, kColumns - 1);
    cursorRow_ = std::clamp(cursorRow_ + dy, 0, kRows - 1);
  }
  pointAtCursor();
  return 1;
}

bool AMyGame::keyFocusRect(ORect& rect) const {
  if (!main().app().keysInUse || cursorColumn_ < 0 || !playing()) return false;
  int left = field_.elementX(cursorColumn_), top = field_.elementY(cursorRow_);
  rect = ORect{left, top, left + RVisualField::kElementSize, top + RVisualField::kElementSize};
  return true;
}

}  // namespace SpaceGyrex
