#include "sinkra/CRemoverGame.h"

#include <algorithm>

#include "sinkra/CGlobal.h"
#include "sinkra/CPiece.h"
#include "storage/OConfig.h"
#include "platform/Language.h"

namespace SpaceSinkra {

int CRemoverGame::clearBonus(int cells, int moves) {
  int k = static_cast<int>(cells * 0.4 - moves);
  return k > 0 ? 100 * k * (k + 1) / 2 : 0;
}

bool CRemoverGame::setup(int width, int height) {
  if (!engine_) return false;
  CGameField::setup(width, height);
  removeAllBlocks();
  if (!grid_.resize(width, height)) return false;
  moves_ = 0;
  recomputeCellSize();
  if (!preview_) preview_ = host_->makeNumber(0, 5, 600, 302, 0);
  global().caption()->setText(zb::tr("for this\nblock"), 600, 240);
  global().caption()->setVisible(true);
  return true;
}

void CRemoverGame::newField() {
  CGameField::newField();
  moves_ = 0;
  floats_.clear();
  setPreview(0);
}

void CRemoverGame::clear() {
  CGameField::clear();
  preview_.reset();
  floats_.clear();
  moves_ = 0;
}

void CRemoverGame::setPreview(int value) {
  if (preview_) preview_->setValue(value);
}

int CRemoverGame::hover(int cell) {
  int n = CGameField::hover(cell);
  const int preview = groupPreview(n, 100 * n);
  if (preview >= 0) setPreview(preview);
  return n;
}

void CRemoverGame::click(int cell) {
  if (!grid_.at(cell) || !idle()) return;
  int n = grid_.groupSize(cell);
  if (n >= 2) {
    global().addScore(100 * n);
    ++moves_;
    setPreview(0);
  }
  CGameField::click(cell);
}

void CRemoverGame::finishBoard() {
  if (grid_.blockCount() == 0) {
    int bonus = clearBonus(grid_.size(), moves_);
    if (bonus > 0) {
      CGlobal& g = global();
      g.addScore(bonus);
      int cell = (grid_.width() / 2) * 5;
      floats_.add(makeFloatingNumber(bonus, cell), g.classicSpeedShowBonusEffect * g.speedFactor);
      playEffect(17);
    }
  }
  finished = true;
}

void CRemoverGame::update(int ms) {
  CGlobal& g = global();
  floats_.update(ms, g.classicDelayShowBonusEffect, g.current->alphaStep, g.speedFactor,
                 g.floatTimer);
  if (demo) {
    // A finished board is dealt again before it is judged, so a board
    // without moves is replaced one update after it ended.
    if (finished) newField();
    if (idle() && hasNoMoves()) finished = true;
    if (idle()) {
      int best = 0;
      int cell = chooseDemoGroup(best);
      if (best < 2)
        explodeAll();
      else
        click(cell);
    }
  } else {
    if (finished) {
      CGameField::update(ms);
      finished = false;
      return;
    }
    if (idle() && hasNoMoves()) finishBoard();
  }
  CGameField::update(ms);
}

void CRemoverGame::saveState(OConfig& config) {
  CGameField::saveState(config);
  config.setInt("stepsCount", moves_);
}

void CRemoverGame::loadState(OConfig& config) {
  CGameField::loadState(config);
  // A counter near the top of int would wrap on the next move.
  moves_ = std::clamp(config.getInt("stepsCount", 0), 0, 1000000);
  floats_.clear();
  if (!preview_) preview_ = host_->makeNumber(0, 5, 600, 302, 0);
}

}  // namespace SpaceSinkra
