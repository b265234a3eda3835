#include "sinkra/CCollectorGame.h"

#include <algorithm>

#include "sinkra/CGlobal.h"
#include "sinkra/CPiece.h"
#include "storage/OConfig.h"
#include "platform/Language.h"

namespace SpaceSinkra {

bool CCollectorGame::setup(int width, int height) {
  if (!engine_) return false;
  CGameField::setup(width, height);
  removeAllBlocks();
  if (!grid_.resize(width, height)) return false;
  recomputeCellSize();
  preview_ = makePreview();
  global().caption()->setText(zb::tr("for this\nblock"), 600, 240);
  global().caption()->setVisible(true);
  return true;
}

std::unique_ptr<CNumberView> CCollectorGame::makePreview() {
  // Room for the score of the whole board taken as one group.
  return host_->makeNumber(0, std::max(5, digitsFor(scoreFor(grid_.size()))), 600, 302, 0);
}

void CCollectorGame::clear() {
  CGameField::clear();
  preview_.reset();
}

void CCollectorGame::setPreview(int value) {
  if (preview_) preview_->setValue(value);
}

int CCollectorGame::hover(int cell) {
  int n = CGameField::hover(cell);
  const int preview = groupPreview(n, scoreFor(n));
  if (preview >= 0) setPreview(preview);
  return n;
}

void CCollectorGame::click(int cell) {
  if (!grid_.at(cell) || !idle()) return;
  int n = grid_.groupSize(cell);
  if (n >= 2) {
    global().addScore(scoreFor(n));
    setPreview(0);
  }
  CGameField::click(cell);
}

bool CCollectorGame::demoMove() {
  if (!idle()) return false;
  int best = 0;
  int cell = chooseDemoGroup(best);
  if (best < 2) {
    explodeAll();
    return false;
  }
  click(cell);
  return true;
}

void CCollectorGame::update(int ms) {
  if (demo) {
    // Only a board at rest is judged: while blocks fall, groups that are
    // about to form are not yet visible in the grid.
    if (idle() && hasNoMoves()) finished = true;
    if (finished) newField();
    demoMove();
  } else {
    if (finished) {
      CGameField::update(ms);
      finished = false;
      return;
    }
    if (idle() && hasNoMoves()) finished = true;
  }
  CGameField::update(ms);
}

void CCollectorGame::loadState(OConfig& config) {
  CGameField::loadState(config);
  if (!preview_) preview_ = makePreview();
}

}  // namespace SpaceSinkra
