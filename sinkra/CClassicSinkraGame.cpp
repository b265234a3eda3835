#include "sinkra/CClassicSinkraGame.h"

#include <algorithm>

#include "gfx/OClip.h"
#include "platform/Random.h"
#include "sinkra/CGlobal.h"
#include "sinkra/CPiece.h"
#include "storage/OConfig.h"
#include "platform/Language.h"

// Levels, the end-of-level fill, chameleons and the saved state of the
// Classic variant; its clicks and special blocks are in CClassicSpecials.cpp.
namespace SpaceSinkra {

namespace {
constexpr int kPending = 1000;   // setLevel stores a start level above this
constexpr int kLinesDigits = 3;  // rows of a level stay below 1000
constexpr int kCompleteDepth = 3;
}  // namespace

CClassicSinkraGame::CClassicSinkraGame() { centreClosing_ = true; }

CClassicSinkraGame::~CClassicSinkraGame() = default;

bool CClassicSinkraGame::attach(OEngine* engine, std::span<OClip* const> pictures,
                                std::span<OClip* const> specialPictures, unsigned x0, unsigned y0,
                                unsigned areaWidth, unsigned areaHeight) {
  bonus_.attach(engine, pictures, specialPictures, x0, y0, areaWidth, areaHeight);
  return CSinkraGame::attach(engine, pictures, specialPictures, x0, y0, areaWidth, areaHeight);
}

void CClassicSinkraGame::setLevel(int n) { level_ = n <= 0 ? 0 : n + kPending; }

void CClassicSinkraGame::readRules() {
  // The shared rules give the fatal message of a missing file; reading them
  // resets the speed factor, which belongs to the game already begun.
  CGlobal& g = global();
  double factor = g.speedFactor;
  g.requireRules();
  g.speedFactor = factor;
  rules_.load(g.rulesPath, g.skillLevel, grid_.height());
}

bool CClassicSinkraGame::setup(int width, int height) {
  if (!engine_) return false;
  removeAllBlocks();
  if (!grid_.resize(width, height)) return false;
  if (bonusRunning_) bonus_.clear();
  bonusRunning_ = false;
  bonus_.setHost(host_);
  grid_.gap = 0;
  recomputeCellSize();
  picturesScaled_ = false;
  specialBitmaps_.clear();
  preview_.reset();
  level_ = level_ > kPending ? level_ - kPending : 0;
  endLevelEffect_ = levelDone_ = false;
  readRules();
  level_ %= rules_.levelCount();
  if (!lines_) lines_ = host_->makeNumber(0, kLinesDigits, 700, 312, 0);
  if (!levelCaption_) levelCaption_ = host_->makeText(" ", 500, 500);
  if (!complete_) complete_ = host_->makeTitle(zb::tr("Level complete"));
  levelText_.clear();
  showLevelCaption();
  global().score = 0;
  ++deals_;
  newField();
  return true;
}

void CClassicSinkraGame::showLevelCaption() {
  if (!levelCaption_) return;
  char level[64];
  std::snprintf(level, sizeof level, zb::tr("Level %d").c_str(), level_ % kPending + 1);
  std::string text = level;
  if (text == levelText_) return;
  levelText_ = text;
  levelCaption_->setText(text, 600, 270);
  levelCaption_->setVisible(true);
}

void CClassicSinkraGame::showLines() {
  if (lines_) lines_->setValue(std::max(0, rowsOfLevel_ - rowsPushed_));
}

void CClassicSinkraGame::newField() {
  if (finished) global().score = 0;  // the game before this one has ended
  finished = levelDone_ = endLevelEffect_ = ended_ = false;
  undo_.clear();
  removeAllBlocks();
  floats_.clear();
  specialPreview_ = false;
  global().caption()->setText(zb::tr("lines"), 600, 310);
  global().caption()->setVisible(true);
  if (complete_) complete_->setVisible(false);
  grid_.exploding = grid_.normalizing = false;
  showLevelCaption();
  if (grid_.size() == 0) return;
  if (level().bonus())
    startBonusLevel();
  else
    startRowLevel();
}

void CClassicSinkraGame::startRowLevel() {
  const CClassicLevel& l = level();
  int w = grid_.width(), h = grid_.height();
  bonusRunning_ = false;
  tray_.clear();
  tray_.resize(static_cast<size_t>(w));
  trayFill_ = 0;
  ensureScaled();
  scaleSpecialPictures();
  placeSeparators();
  if (lines_) lines_->setVisible(true);
  for (int row = h - l.rowBegin; row < h; ++row) {
    for (int col = 0; col < w; ++col) {
      int cell = col + row * w;
      placeBlock(cell, makeBlock(zb::random(l.colors), cell));
    }
  }
  rowTime_ = l.timeRowBegin;
  interval_ = rowTime_ / w;
  elapsed_ = 0;
  rowsOfLevel_ = l.rowCount;
  rowsPushed_ = 0;
  rowTimeDecrease_ = l.rowCount > 0 ? (l.timeRowBegin - l.timeRowEnd) / l.rowCount : 0;
  showLines();
}

void CClassicSinkraGame::startBonusLevel() {
  const CClassicLevel& l = level();
  if (lines_) lines_->setVisible(false);
  bonus_.setHost(host_);
  bonusRunning_ = bonus_.start(grid_.width(), grid_.height(), l.colors, rules_.delayShowBonusEffect,
                               rules_.speedShowBonusEffect, rules_.bonusFragments, l.timeOnLevel);
  if (bonusRunning_ && demo) bonus_.startDemo();
  // A board the bonus game cannot take is passed over.
  if (!bonusRunning_) {
    levelDone_ = true;
    advanceLevel();
  }
}

void CClassicSinkraGame::advanceLevel() { level_ = (level_ + 1) % rules_.levelCount(); }

void CClassicSinkraGame::update(int ms) {
  CGlobal& g = global();
  floats_.update(ms, floatDelay(), g.current->alphaStep, g.speedFactor, g.floatTimer);
  if (complete_ && complete_->visible) complete_->tick(ms);
  showLevelCaption();
  if (bonusRunning_) {
    bonus_.update(ms);
    if (bonus_.hasNoMoves()) {
      bonus_.clear();
      bonusRunning_ = false;
      levelDone_ = true;
      advanceLevel();
      showLevelCaption();
    }
    return;
  }
  if (finished) {
    CGameField::update(ms);
    finished = false;
    return;
  }
  if (grid_.exploding || !levelDone_) {
    if (demo) demoMove(ms);
    if (endLevelEffect_) {
      endLevelStep(ms);
    } else if (!ended_ && grid_.size() > 0) {
      arrive(ms);
      tryPush();
      if (ended_) level_ = 0;
      chameleonStep(ms);
    }
    CGameField::update(ms);
  } else {
    newField();
  }
}

std::unique_ptr<CPiece> CClassicSinkraGame::makeIncoming(int slot) {
  const CClassicLevel& l = level();
  int h = grid_.height();
  int penalty = global().skillLevel == 2 ? 20 : global().skillLevel == 1 ? 10 : 0;
  bool afterOrdinary = slot > 0 && tray_[slot - 1] && !tray_[slot - 1]->special();
  if (afterOrdinary && l.bonusesCount > 0) {
    long long spread = rules_.probabilityEnd + level_ - rules_.probabilityBegin;
    long long chance = (h - emptyTopRows()) * spread / h - penalty;
    if (zb::random(1000) < chance) {
      int m = zb::random(l.bonusesCount);
      if (m != 5) return makeBlock(10 + m, 0);
      return makeBlock(zb::random(l.colors), 0, true);
    }
  }
  return makeBlock(zb::random(l.colors), 0);
}

int CClassicSinkraGame::levelRowTime(int rowTime) const {
  // A level runs from its starting row time to its ending one; nothing
  // outside that span comes from the rules, whatever a saved game says.
  const CClassicLevel& l = level();
  return std::clamp(rowTime, std::min(l.timeRowBegin, l.timeRowEnd), std::max(l.timeRowBegin, l.timeRowEnd));
}

void CClassicSinkraGame::afterPush() {
  rowTime_ = levelRowTime(rowTime_ - rowTimeDecrease_);
  interval_ = rowTime_ / std::max(1, grid_.width());
  elapsed_ = 0;
  ++rowsPushed_;
  playEffect(15);
  showLines();
  if (rowsOfLevel_ - rowsPushed_ == 3) playEffect(16);
  if (rowsPushed_ >= rowsOfLevel_) {
    advanceLevel();
    startEndLevelEffect();
  }
}

void CClassicSinkraGame::startEndLevelEffect() {
  endLevelEffect_ = true;
  endLevelTimer_ = 0;
  trayFill_ = grid_.width();  // no more arrivals
  removeHighlight();
  placeComplete();
}

void CClassicSinkraGame::placeComplete() {
  if (!complete_) return;
  complete_->flyIn(0, 0, kCompleteDepth);
  int x = static_cast<int>(x0_ + (static_cast<int>(areaWidth_) - complete_->pixelWidth()) / 2);
  int y = static_cast<int>(y0_ + (static_cast<int>(areaHeight_) - complete_->pixelHeight()) / 2);
  complete_->flyIn(x, y, kCompleteDepth);
}

void CClassicSinkraGame::endLevelStep(int ms) {
  // Blocks still falling or fading own their cells until they settle.
  if (!idle() || levelDone_) return;
  endLevelTimer_ += ms;
  int period = std::max(1, global().current->timeEndLevel);
  if (endLevelTimer_ > period) {
    int n = endLevelTimer_ / period;
    endLevelTimer_ = 0;
    int w = grid_.width();
    for (int cell = 0; cell < grid_.size() && n > 0; ++cell) {
      if (grid_.at(cell)) continue;
      placeBlock(cell, makeBlock(5, cell));
      global().addScore(2);
      --n;
      if (cell % w != 0 || cell == 0) continue;
      bool rowOfFives = true;
      for (int c = cell - w; c < cell && rowOfFives; ++c)
        rowOfFives = grid_.at(c) && grid_.at(c)->colour == 5;
      if (rowOfFives) addPoints(level_ * 100, cell - 1);
    }
  }
  if (grid_.blockCount() == grid_.size()) {
    levelDone_ = true;
    explodeAll();
  }
}

void CClassicSinkraGame::addPoints(int value, int cell) {
  if (value <= 0) return;
  global().addScore(value);
  addBonus(value, cell);
}

std::unique_ptr<CPiece> CClassicSinkraGame::nextChameleon(const CPiece& old, int cell) {
  auto piece = makeBlock((old.colour + 1) % std::max(1, level().colors), cell, true);
  // Unlit: the group the old colour belonged to is not this block's group.
  return piece;
}

const OBitmap* CClassicSinkraGame::chameleonMark() const {
  const size_t entry = 14;  // after the sparkle in the special table
  const OClip* mark = entry < specialPictures_.size() ? specialPictures_[entry] : nullptr;
  const OBitmap* image = mark ? mark->currentImage() : nullptr;
  return image && image->valid() ? image : nullptr;
}

void CClassicSinkraGame::buildFrames(CPiece& piece) {
  const OBitmap* mark = piece.chameleon && piece.colour >= 0 && piece.colour < 6 ? chameleonMark() : nullptr;
  if (!mark) {
    CSinkraGame::buildFrames(piece);
    return;
  }
  ensureScaled();
  if (chameleonBitmaps_.size() != 72 || chameleonFor_ != grid_.cellSize) {
    // Every normal and inset block picture with the mark laid over it.
    chameleonBitmaps_.clear();
    for (int i = 0; i < 72; ++i) {
      auto marked = std::make_unique<OBitmap>();
      const OBitmap* base = scaledPicture(i);
      if (base && OBitmap::copyImage(*marked, *base)) {
        OBitmap overlay;
        OBitmap::scale(overlay, *mark, marked->width(), marked->height());
        overlay.xOffset = overlay.yOffset = 0;
        OBitmap::draw(*marked, overlay, 0, 0);
        marked->xOffset = base->xOffset;
        marked->yOffset = base->yOffset;
      }
      chameleonBitmaps_.push_back(std::move(marked));
    }
    chameleonFor_ = grid_.cellSize;
  }
  for (int k = 0; k < 6; ++k) {
    piece.clip->addImage(*chameleonBitmaps_[size_t(k * 6 + piece.colour)]);
    piece.clip->addImage(*chameleonBitmaps_[size_t(36 + k * 6 + piece.colour)]);
  }
}

void CClassicSinkraGame::chameleonStep(int ms) {
  chameleonTimer_ += ms;
  if (chameleonTimer_ <= rules_.timeDoBonus5) return;
  chameleonTimer_ = 0;
  for (auto& slot : tray_) {
    if (slot && slot->chameleon && slot->highlighted) removeHighlight();
  }
  for (int s = 0; s < static_cast<int>(tray_.size()); ++s) {
    const CPiece* p = tray_[s].get();
    if (p && p->chameleon && !p->exploding) showInTray(s, nextChameleon(*p, 0));
  }
  bool changed = false;
  for (int cell = 0; cell < grid_.size(); ++cell) {
    const CPiece* p = grid_.at(cell);
    if (!p || !p->chameleon || p->exploding || p->moving) continue;
    std::unique_ptr<CPiece> next = nextChameleon(*p, cell);
    deleteBlock(cell);
    placeBlock(cell, std::move(next));
    changed = true;
  }
  // The groups changed under the pointer: light what it points at now,
  // quietly, as the pointer itself did not move.
  if (changed && !demo) {
    removeHighlight();
    specialPreview_ = false;
    lightClassic(pointedCell_);
  }
}

void CClassicSinkraGame::clear() {
  CSinkraGame::clear();
  bonus_.clear();
  bonusRunning_ = endLevelEffect_ = levelDone_ = false;
  if (lines_) lines_->setVisible(false);
  if (levelCaption_) levelCaption_->setVisible(false);
  if (complete_) complete_->setVisible(false);
  levelText_.clear();
}

void CClassicSinkraGame::setVisible(bool visible) {
  CSinkraGame::setVisible(visible);
  if (!bonusRunning_) return;
  CGameMap& board = bonus_.grid();
  for (int i = 0; i < board.size(); ++i)
    if (CPiece* p = board.at(i)) p->clip->visible = visible;
}

void CClassicSinkraGame::refreshSkins() {
  CSinkraGame::refreshSkins();
  if (bonusRunning_) bonus_.refreshSkins();
}

void CClassicSinkraGame::startDemo() {
  CSinkraGame::startDemo();
  if (bonusRunning_) bonus_.startDemo();
}

void CClassicSinkraGame::stopDemo() {
  CSinkraGame::stopDemo();
  bonus_.stopDemo();
}

void CClassicSinkraGame::saveState(OConfig& c) {
  // A bonus board is not saved; it is played again from its start, so the
  // score is the one it began with.
  CGlobal& g = global();
  int score = g.score;
  if (bonusRunning_ && !bonus_.intro()) g.score = bonus_.scoreBefore();
  CSinkraGame::saveState(c);
  g.score = score;
  c.setInt("currentLevel", level_ % kPending);
  c.setInt("rowCount", rowsOfLevel_);
  c.setInt("timeStep", rowTimeDecrease_);
  c.setInt("isEndLevelEffect", endLevelEffect_ ? 1 : 0);
  // The fill of a finished level is paid; a reloaded game must not pay it again.
  c.setInt("isLevelDone", levelDone_ ? 1 : 0);
}

void CClassicSinkraGame::loadState(OConfig& c) {
  stateLoaded_ = false;
  int savedLevel = c.getInt("currentLevel", -1);
  int rows = c.getInt("rowCount", -1);
  int step = c.getInt("timeStep", -1);
  if (savedLevel == -1 || rows == -1 || step == -1) return;
  if (bonusRunning_) bonus_.clear();
  bonusRunning_ = false;
  bonus_.setHost(host_);
  int height = c.getInt("height", grid_.height());
  CGlobal& g = global();
  double factor = g.speedFactor;
  g.requireRules();
  g.speedFactor = factor;
  rules_.load(g.rulesPath, g.skillLevel, height);
  const int kHour = 3600 * 1000;
  int pushed = c.getInt("rowAdded", 0);
  if (savedLevel < 0 || savedLevel >= rules_.levelCount() || rows < 0 || rows > 999 || step < -kHour ||
      step > kHour || pushed < 0 || pushed > rows) {
    removeAllBlocks();
    grid_.exploding = grid_.normalizing = false;
    return;
  }
  CSinkraGame::loadState(c);
  preview_.reset();  // the Classic variant shows rows left instead
  if (!stateLoaded_) return;
  level_ = savedLevel;
  rowsOfLevel_ = rows;
  rowTimeDecrease_ = step;
  endLevelEffect_ = c.getInt("isEndLevelEffect", 0) == 1;
  finished = false;
  levelDone_ = c.getInt("isLevelDone", 0) == 1;
  // Files without the key: a full board blowing up during the fill is a
  // level whose fill has been paid.
  if (!c.has("isLevelDone"))
    levelDone_ = endLevelEffect_ && grid_.blockCount() == grid_.size() && grid_.explodingCount() > 0;
  if (!endLevelEffect_ && !levelDone_) {
    rowTime_ = levelRowTime(rowTime_);
    interval_ = rowTime_ / std::max(1, grid_.width());
  }
  if (!lines_) lines_ = host_->makeNumber(0, kLinesDigits, 700, 312, 0);
  if (!levelCaption_) levelCaption_ = host_->makeText(" ", 500, 500);
  if (!complete_) complete_ = host_->makeTitle(zb::tr("Level complete"));
  g.caption()->setText(zb::tr("lines"), 600, 310);
  g.caption()->setVisible(true);
  levelText_.clear();
  showLevelCaption();
  lines_->setVisible(true);
  showLines();
  if (endLevelEffect_) {
    trayFill_ = grid_.width();
    placeComplete();
  } else if (complete_) {
    complete_->setVisible(false);
  }
  // A bonus board is played again from its start.
  if (!endLevelEffect_ && level().bonus()) {
    int score = g.score;
    newField();
    g.score = score;
  }
}

}  // namespace SpaceSinkra
