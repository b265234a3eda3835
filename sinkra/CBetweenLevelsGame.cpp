#include "sinkra/CBetweenLevelsGame.h"

#include <algorithm>

#include "platform/Random.h"
#include "sinkra/CGlobal.h"
#include "sinkra/CPiece.h"
#include "platform/Language.h"

namespace SpaceSinkra {

const char* const CBetweenLevelsGame::kIntroText =
    N_("if you clear\nthe board in\nseveral seconds\nyou will get\nthe bonus\nharry up!!!");
const char* const CBetweenLevelsGame::kFailText = N_("You have failed\nto get the bonus");

CBetweenLevelsGame::CBetweenLevelsGame() { centreClosing_ = true; }

CBetweenLevelsGame::~CBetweenLevelsGame() = default;

bool CBetweenLevelsGame::patternCell(int p, int k, int j) {
  switch (p) {
    case 1: return true;
    case 2: return (k == 2 && j == 0) || (k == 3 && j < 2);
    case 3: return k < 2 && j >= 1;
    case 4: return k == 3 && j == 0;
    case 5: return k == 0 && j == 2;
    case 6:
    case 7: return j <= k;
    default: return false;
  }
}

bool CBetweenLevelsGame::start(int width, int height, int colours, int delay, double speed,
                               int bonusFragments, int timeOnLevel) {
  global().caption()->setVisible(false);
  removeAllBlocks();
  if (!grid_.resize(width, height)) return false;
  // A colour count outside the six pictures would break the modulo below.
  colours_ = std::clamp(colours, 1, 6);
  timeNumber_ = host().makeNumber(0, 3, 690, 302, -500);
  timeNumber_->setVisible(false);
  finished = false;
  delay_ = delay;
  speed_ = speed;
  bonusFragments_ = bonusFragments;
  recomputeCellSize();
  intro_ = true;
  if (!introText_) introText_ = host().makeText(zb::tr(kIntroText), 35, 150);
  introText_->setVisible(true);
  if (!failText_) failText_ = host().makeText(zb::tr(kFailText), 25, 150);
  failText_->setVisible(false);
  outro_ = false;
  timer_ = 0;
  timeLeft_ = timeOnLevel;
  floats_.clear();
  return true;
}

void CBetweenLevelsGame::newField() {
  CGlobal& g = global();
  scoreBefore_ = g.score;
  g.score = 0;
  undo_.clear();
  removeAllBlocks();
  g.caption()->setText(zb::tr("time"), 600, 302);
  g.caption()->setVisible(true);
  finished = false;
  scalePictures();
  int w = grid_.width(), h = grid_.height();
  if (w <= 0 || h <= 0) return;
  int r = zb::random(colours_);
  int tileCols = (w + kTileWidth - 1) / kTileWidth;
  int tileRows = (h + kTileHeight - 1) / kTileHeight;
  for (int tc = 0; tc < tileCols; ++tc) {
    int p = zb::random(7) + 1;
    for (int tr = 0; tr < tileRows; ++tr) {
      for (int j = 0; j < kTileHeight; ++j) {
        for (int k = 0; k < kTileWidth; ++k) {
          int col = tc * kTileWidth + k, row = tr * kTileHeight + j;
          if (col >= w || row >= h) continue;
          int colour = patternCell(p, k, j) ? r : (r + 1) % colours_;
          int cell = col + row * w;
          placeBlock(cell, makeBlock(colour, cell));
        }
      }
      r = (r + 1) % colours_;
    }
    // The next tile column starts from the colour its neighbour ends with.
    int lastCol = std::min(tc * kTileWidth + kTileWidth - 1, w - 1);
    const CPiece* top = grid_.at(lastCol);
    if (top) r = (top->colour + 1) % colours_;
  }
  grid_.exploding = false;
  grid_.normalizing = false;
  floats_.clear();
  showTimeLeft();
}

void CBetweenLevelsGame::showTimeLeft() {
  if (timeNumber_) timeNumber_->setValue(std::max(timeLeft_, 0) / 1000);
}

void CBetweenLevelsGame::update(int ms) {
  CGlobal& g = global();
  floats_.update(ms, delay_, g.current->alphaStep, g.speedFactor, g.floatTimer);
  if (intro_) {
    timer_ += ms;
    if (timer_ > kIntroMs) {
      timer_ = 0;
      newField();
      intro_ = false;
      if (introText_) introText_->setVisible(false);
      if (timeNumber_) timeNumber_->setVisible(true);
    }
  } else if (outro_) {
    timer_ += ms;
    if (timer_ > kOutroMs) {
      timer_ = 0;
      outro_ = false;
      if (failText_) failText_->setVisible(false);
      finished = true;
      global().addScore(scoreBefore_);
      timeNumber_.reset();
    }
  } else if (timeLeft_ >= 0) {
    timeLeft_ -= ms;
    showTimeLeft();
    if (timeLeft_ < 0 || blockCount() == 0) {
      endStep();
      return;
    }
    play(ms);
  }
  CGameField::update(ms);
}

void CBetweenLevelsGame::play(int ms) {
  // Only a board at rest can be judged: mid-fall the cells are not final.
  // Pairs are no move here, for the player and the demo alike.
  if (idle() && grid_.largestGroup() < kMinGroup) {
    explodeAll();
    endStep();
    return;
  }
  if (demo) demoMove(ms);
}

void CBetweenLevelsGame::endStep() {
  outro_ = true;
  timer_ = 0;
  if (timeLeft_ < 1 || blockCount() > 0) {
    if (failText_) failText_->setVisible(true);
  } else {
    global().addScore(global().score);  // doubled, stopping at the top
    addFloating(global().score, grid_.size() / 2);
  }
  timeLeft_ = -1;
}

void CBetweenLevelsGame::demoMove(int ms) {
  CGlobal& g = global();
  g.demoTimer += ms;
  if (!idle() || g.demoTimer <= kDemoMoveMs) return;
  g.demoTimer = 0;
  int best = -1, bestSize = 0;
  for (int i = 0; i < grid_.size(); ++i) {
    const CPiece* p = grid_.at(i);
    if (p && p->special()) {
      removeHighlight();
      click(i);
      return;
    }
    int n = grid_.groupSize(i);
    if (n > bestSize) best = i, bestSize = n;
  }
  if (bestSize == 2 || bestSize == 3) {
    for (int i = grid_.size() - 1; i >= 1; --i) {
      if (grid_.groupSize(i) == bestSize) {
        best = i;
        break;
      }
    }
  }
  removeHighlight();
  if (bestSize >= kMinGroup) click(best);
}

int CBetweenLevelsGame::hover(int cell) {
  if (finished || outro_) return 0;
  int n = CGameField::hover(cell);
  if (n > 0 && n < kMinGroup) removeHighlight();
  if (n >= kMinGroup && !grid_.normalizing) playEffect(12, true);
  return n;
}

void CBetweenLevelsGame::click(int cell) {
  if (finished || outro_ || intro_) return;
  if (!grid_.at(cell) || !idle()) return;
  int n = grid_.groupSize(cell);
  if (n < kMinGroup) return;
  if (n >= bonusFragments_) {
    global().addScore(static_cast<long long>(n) * n);
    addFloating(n * n, cell);
  } else {
    global().addScore(2LL * n);
  }
  CGameField::click(cell);
}

bool CBetweenLevelsGame::hasNoMoves() { return finished && idle() && floats_.empty(); }

void CBetweenLevelsGame::clear() {
  CGameField::clear();
  floats_.clear();
  timeNumber_.reset();
  if (introText_) introText_->setVisible(false);
  if (failText_) failText_->setVisible(false);
  intro_ = true;
  outro_ = false;
}

void CBetweenLevelsGame::addFloating(int value, int cell) {
  if (grid_.size() == 0) return;
  std::unique_ptr<CNumberView> view = host().makeNumber(value, 5, 0, 0, 4);
  double cs = grid_.cellSize;
  int width = view->pixelWidth();
  double x = cellX(cell) + cs / 2 - width / 2.0;
  // Keep the number inside the board area.
  double right = static_cast<double>(x0_) + areaWidth_;
  if (x + width > right) x = right - width;
  if (x < 0) x = 20;
  view->moveTo(x, cellY(cell) - cs, 4);
  view->setVisible(true);
  floats_.add(std::move(view), speed_ * global().speedFactor);
}

}  // namespace SpaceSinkra
