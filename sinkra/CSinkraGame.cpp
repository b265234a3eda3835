#include "sinkra/CSinkraGame.h"

#include <algorithm>
#include <limits>

#include "gfx/OBitmap.h"
#include "gfx/OClip.h"
#include "platform/Random.h"
#include "sinkra/CGlobal.h"
#include "sinkra/CPiece.h"
#include "storage/OConfig.h"
#include "platform/Language.h"

namespace SpaceSinkra {

namespace {
constexpr int kDemoDelay = 1300;
constexpr int kTrayBottom = 588;
}  // namespace

CSinkraGame::CSinkraGame() = default;

CSinkraGame::~CSinkraGame() { deleteTray(false); }

const CPiece* CSinkraGame::trayAt(int slot) const {
  return slot >= 0 && slot < static_cast<int>(tray_.size()) ? tray_[slot].get() : nullptr;
}

void CSinkraGame::setRowTiming(int rowTime, int rowTimeStep) {
  initialRowTime_ = rowTime;
  rowTimeStep_ = rowTimeStep;
}

bool CSinkraGame::setup(int width, int height) {
  if (!engine_) return false;
  removeAllBlocks();
  if (!grid_.resize(width, height)) return false;
  grid_.gap = 0;
  recomputeCellSize();
  picturesScaled_ = false;
  specialBitmaps_.clear();
  preview_ = host_->makeNumber(0, 5, 600, 302, 0);
  global().caption()->setText(zb::tr("for this\nblock"), 600, 240);
  global().caption()->setVisible(true);
  // The rules are read again for every game so edits of the file take effect.
  double factor = global().speedFactor;
  global().requireRules();
  global().speedFactor = factor;
  setRowTiming(global().timeBuildLine[global().skillLevel],
               global().timeBuildLineStep[global().skillLevel]);
  return true;
}

void CSinkraGame::newField() {
  global().score = 0;
  finished = false;
  ended_ = false;
  undo_.clear();
  removeAllBlocks();
  int w = grid_.width(), h = grid_.height();
  tray_.clear();
  tray_.resize(static_cast<size_t>(w));
  trayFill_ = 0;
  if (grid_.size() == 0) return;
  ++deals_;
  ensureScaled();
  scaleSpecialPictures();
  placeSeparators();
  for (int row = h * 3 / 5; row < h; ++row) {
    for (int col = 0; col < w; ++col) {
      int cell = col + row * w;
      placeBlock(cell, makeBlock(zb::random(6), cell));
    }
  }
  grid_.exploding = grid_.normalizing = false;
  rowTime_ = initialRowTime_;
  interval_ = rowTime_ / w;
  elapsed_ = 0;
  rowsPushed_ = 0;
  trayProgress_ = 0;
  if (preview_) preview_->setValue(0);
}

const OClip* CSinkraGame::specialPicture(int colour) const {
  // Colours 10..15 use the first six special pictures, 16 and 17 the two
  // that follow the classic ones in the table.
  int k = colour - 10;
  if (k < 0 || k > 7) return nullptr;
  size_t entry = k < 6 ? static_cast<size_t>(k) : static_cast<size_t>(k + 4);
  return entry < specialPictures_.size() ? specialPictures_[entry] : nullptr;
}

void CSinkraGame::scaleSpecialPictures() {
  specialBitmaps_.clear();
  int cell = blockPixels();
  for (int k = 0; k < 8; ++k) {
    const OClip* pic = specialPicture(10 + k);
    const OBitmap* src = pic ? pic->currentImage() : nullptr;
    auto bmp = std::make_unique<OBitmap>();
    if (src && src->valid())
      OBitmap::scale(*bmp, *src, cell, cell);
    else
      bmp->create(cell, cell, 0x808080 + k * 0x101010);
    bmp->xOffset = bmp->yOffset = 0;
    specialBitmaps_.push_back(std::move(bmp));
  }
  specialFor_ = grid_.cellSize;
}

void CSinkraGame::buildFrames(CPiece& piece) {
  if (piece.colour < 10) {
    CGameField::buildFrames(piece);
    return;
  }
  if (specialBitmaps_.size() != 8 || specialFor_ != grid_.cellSize) scaleSpecialPictures();
  int k = std::clamp(piece.colour - 10, 0, 7);
  piece.clip->addImage(*specialBitmaps_[k]);
}

void CSinkraGame::placeSeparators() {
  if (!separator_ || separator_->empty()) return;
  double ys[2] = {584 - grid_.cellSize, grid_.height() * grid_.cellSize + y0_};
  for (double y : ys) {
    auto bar = std::make_unique<OClip>();
    if (!bar->copyFrom(*separator_)) continue;
    bar->x = 10;
    bar->y = y;
    bar->z = global().blockDepth;
    addExtraClip(std::move(bar));
  }
}

void CSinkraGame::removeAllBlocks() {
  CGameField::removeAllBlocks();
  deleteTray(false);
  trayFill_ = 0;
}

void CSinkraGame::deleteTray(bool onlyExploding) {
  for (auto& slot : tray_) {
    if (!slot || (onlyExploding && !slot->exploding)) continue;
    hideClip(slot->clip.get());
    slot.reset();
  }
}

void CSinkraGame::clear() {
  CGameField::clear();
  deleteTray(false);
  tray_.clear();
  trayFill_ = 0;
  floats_.clear();
  preview_.reset();
  specialBitmaps_.clear();
  specialPreview_ = false;
  ended_ = false;
}

void CSinkraGame::refreshSkins() {
  CGameField::refreshSkins();
  for (auto& slot : tray_)
    if (slot) selectFrame(*slot);
}

void CSinkraGame::setVisible(bool visible) {
  for (int i = 0; i < grid_.size(); ++i)
    if (CPiece* p = grid_.at(i)) p->clip->visible = visible;
  for (auto& slot : tray_)
    if (slot) slot->clip->visible = visible;
  floats_.clear();
}

int CSinkraGame::emptyTopRows() const {
  int n = 0;
  while (n < grid_.size() && !grid_.at(n)) ++n;
  return n < 2 ? 0 : (n - 2) / std::max(1, grid_.width());
}

void CSinkraGame::update(int ms) {
  if (finished) {
    CGameField::update(ms);
    finished = false;
    return;
  }
  CGlobal& g = global();
  floats_.update(ms, floatDelay(), g.current->alphaStep, g.speedFactor, g.floatTimer);
  if (demo) demoMove(ms);
  if (!ended_ && grid_.size() > 0) {
    arrive(ms);
    tryPush();
  }
  CGameField::update(ms);
}

void CSinkraGame::fitTray() {
  if (static_cast<int>(tray_.size()) == grid_.width()) return;
  deleteTray(false);
  tray_.clear();
  tray_.resize(static_cast<size_t>(grid_.width()));
  trayFill_ = 0;
}

std::unique_ptr<CPiece> CSinkraGame::makeIncoming(int slot) {
  const CGlobal& g = global();
  int h = grid_.height();
  int chance = (h - emptyTopRows()) * (g.probabilityEnd - g.probabilityBegin) / h;
  bool afterOrdinary = slot > 0 && tray_[slot - 1] && !tray_[slot - 1]->special();
  int colour;
  if (afterOrdinary && zb::random(1000) < chance)
    colour = 10 + zb::random(8);
  else
    colour = zb::random(6);
  return makeBlock(colour, 0);
}

void CSinkraGame::showInTray(int slot, std::unique_ptr<CPiece> piece) {
  piece->clip->x = slot * grid_.cellSize + x0_;
  piece->clip->y = kTrayBottom - piece->clip->height;
  showClip(piece->clip.get());
  if (tray_[slot]) hideClip(tray_[slot]->clip.get());
  tray_[slot] = std::move(piece);
}

void CSinkraGame::arrive(int ms) {
  fitTray();
  int w = grid_.width();
  // A tray that cannot be pushed for weeks must not wrap the clock.
  elapsed_ = std::min(elapsed_, std::numeric_limits<int>::max() - std::max(ms, 0)) + ms;
  int due = std::min(elapsed_ / std::max(1, interval_), w);
  for (int slot = trayFill_; slot < due; ++slot) {
    showInTray(slot, makeIncoming(slot));
    playEffect(14);
  }
  trayFill_ = std::max(trayFill_, due);
}

void CSinkraGame::tryPush() {
  int w = grid_.width();
  if (trayFill_ < w || elapsed_ / std::max(1, interval_) <= w || !idle()) return;
  if (!pushRow()) {
    finished = true;
    ended_ = true;
    return;
  }
  afterPush();
}

void CSinkraGame::afterPush() {
  int w = grid_.width();
  rowTime_ -= rowTimeStep_;
  if (rowTime_ < initialRowTime_ / 3.0) {
    CGlobal& g = global();
    // The reset count never goes back; in 64 bits its product cannot wrap.
    const long long next = initialRowTime_ - static_cast<long long>(g.rowTimeResets) * rowTimeStep_;
    if (g.rowTimeResets < std::numeric_limits<int>::max()) ++g.rowTimeResets;
    rowTime_ = next < initialRowTime_ / 3.0 ? initialRowTime_ : static_cast<int>(next);
  }
  interval_ = rowTime_ / w;
  elapsed_ = 0;
  ++rowsPushed_;
  playEffect(15);
}

bool CSinkraGame::pushRow() {
  int w = grid_.width(), h = grid_.height();
  if (grid_.size() == 0) return false;
  fitTray();
  for (int col = 0; col < w; ++col)
    if (grid_.at(col)) return false;
  for (int cell = w; cell < grid_.size(); ++cell) {
    std::unique_ptr<CPiece> p = grid_.take(cell);
    if (!p) continue;
    p->clip->y = cellY(cell - w);
    p->clip->x = cellX(cell - w);
    p->clip->vx = p->clip->vy = p->clip->vz = 0;
    p->moving = false;
    grid_.put(cell - w, std::move(p));
  }
  for (int col = 0; col < w; ++col) {
    if (!tray_[col]) continue;
    int cell = col + (h - 1) * w;
    tray_[col]->clip->x = cellX(cell);
    tray_[col]->clip->y = cellY(cell);
    grid_.put(cell, std::move(tray_[col]));
  }
  trayFill_ = 0;
  removeHighlight();
  specialPreview_ = false;
  if (emptyTopRows() < 3) playEffect(18);
  return true;
}

void CSinkraGame::demoMove(int ms) {
  CGlobal& g = global();
  g.demoTimer += ms;
  if (!idle() || g.demoTimer <= kDemoDelay) return;
  g.demoTimer = 0;
  for (int i = 0; i < grid_.size(); ++i) {
    if (grid_.at(i) && grid_.at(i)->special()) {
      click(i);
      return;
    }
  }
  int best = 0;
  int bestCell = chooseDemoGroup(best);
  if (best > 1) click(bestCell);
}

int CSinkraGame::scoreFor(int n) const {
  return n >= global().bonusFragments ? 3 * n * n : n * n;
}

void CSinkraGame::setPreview(int value) {
  if (preview_) preview_->setValue(value);
}

void CSinkraGame::lightSpecial(CPiece& p, int cell) {
  if (p.highlighted) return;
  removeHighlight();
  if (!idle()) return;
  for (int c : clickTargets(cell)) {
    grid_.at(c)->highlighted = true;
    selectFrame(*grid_.at(c));
  }
  p.highlighted = true;
  selectFrame(p);
  grid_.highlightActive = true;
  specialPreview_ = true;
}

int CSinkraGame::lightPointed(int cell) {
  CPiece* p = grid_.at(cell);
  if (p && p->special()) {
    lightSpecial(*p, cell);
    return 0;
  }
  // The targets of a special still lit would hide what this block's click
  // takes; drop them so the block's own group is shown.
  if (p && specialPreview_) removeHighlight();
  int n = CGameField::hover(cell);
  if (p) specialPreview_ = false;
  return n;
}

int CSinkraGame::hover(int cell) {
  if (ended_) return 0;
  int n = lightPointed(cell);
  const CPiece* p = grid_.at(cell);
  if (!p || p->special()) return n;
  const int preview = groupPreview(n, scoreFor(n));
  if (preview >= 0) setPreview(preview);
  return n;
}

void CSinkraGame::saveState(OConfig& c) {
  CGameField::saveState(c);
  c.setInt("timeBuildLine", rowTime_);
  c.setInt("timeFragStep", interval_);
  c.setInt("timePassed", elapsed_);
  c.setInt("rowLength", trayFill_);
  c.setInt("rowAdded", rowsPushed_);
  for (int slot = 0; slot < static_cast<int>(tray_.size()); ++slot)
    c.setInt(OConfig::key("n%d.color", slot), tray_[slot] ? tray_[slot]->colour : -1);
}

void CSinkraGame::loadState(OConfig& c) {
  stateLoaded_ = false;
  int rowTime = c.getInt("timeBuildLine", -1);
  int interval = c.getInt("timeFragStep", -1);
  int elapsed = c.getInt("timePassed", -1);
  int fill = c.getInt("rowLength", -1);
  if (rowTime == -1 || interval == -1 || elapsed == -1 || fill == -1) return;
  if (c.getInt("size", -1) == -1) return;  // no board in it: leave the game as it is
  int w = c.getInt("width", -1), h = c.getInt("height", -1);
  // Times beyond a day cannot come from a real game and would overflow.
  const int kDay = 24 * 3600 * 1000;
  bool sane = stateAcceptable(c, w, h) && fill >= 0 && fill <= w && interval >= 0 &&
              interval <= kDay && elapsed >= 0 && elapsed <= kDay && rowTime >= 0 && rowTime <= kDay;
  for (int slot = 0; sane && slot < w; ++slot) {
    int colour = c.getInt(OConfig::key("n%d.color", slot), -1);
    sane = colour == -1 || (colour >= 0 && colour <= 5) || (colour >= 10 && colour <= 17);
  }
  ended_ = false;
  specialPreview_ = false;
  floats_.clear();
  if (!preview_) preview_ = host_->makeNumber(0, 5, 600, 302, 0);
  if (!sane) {
    // A board or tray that does not hold together: refuse the whole state.
    removeAllBlocks();
    grid_.exploding = grid_.normalizing = false;
    return;
  }
  CGameField::loadState(c);
  deleteTray(false);
  tray_.clear();
  tray_.resize(static_cast<size_t>(w));
  rowTime_ = rowTime;
  interval_ = interval;
  elapsed_ = elapsed;
  trayFill_ = fill;
  rowsPushed_ = std::clamp(c.getInt("rowAdded", 0), 0, 1000000);
  scaleSpecialPictures();
  placeSeparators();  // loading the board took the bars off with the blocks
  for (int slot = 0; slot < w; ++slot) {
    int colour = c.getInt(OConfig::key("n%d.color", slot), -1);
    if (colour == -1) continue;
    showInTray(slot, makeBlock(colour, 0));
  }
  double factor = global().speedFactor;
  global().requireRules();
  global().speedFactor = factor;
}

}  // namespace SpaceSinkra
