#include "sinkra/CGameField.h"

#include <algorithm>
#include <cmath>

#include "app/OEngine.h"
#include "game/AStar.h"
#include "gfx/OBitmap.h"
#include "gfx/OClip.h"
#include "platform/Random.h"
#include "sinkra/CFieldHost.h"
#include "sinkra/CGlobal.h"
#include "sinkra/CPiece.h"

namespace SpaceSinkra {

namespace {
CFieldHost& silentHost() {
  static CFieldHost host;
  return host;
}

// Plain squares stand in for block pictures that were not supplied, so a
// board without a data pack (tests, tools) still has something to draw.
const uint32_t kFallbackColours[6] = {0xD03030, 0x30B040, 0x3060D0, 0xE0D030, 0xB040C0, 0x30C8C8};
}  // namespace

CGameField::CGameField() : host_(&silentHost()) {}

CGameField::~CGameField() {
  // Blocks and extra clips sit on the engine; take them off before they go.
  removeAllBlocks();
}

CGlobal& CGameField::global() const { return CGlobal::instance(); }

void CGameField::setHost(CFieldHost* host) { host_ = host ? host : &silentHost(); }

void CGameField::playEffect(int id, bool restart) {
  if (global().soundEnabled) host_->playEffect(id, restart);
}

bool CGameField::attach(OEngine* engine, std::span<OClip* const> pictures,
                        std::span<OClip* const> specialPictures, unsigned x0, unsigned y0,
                        unsigned areaWidth, unsigned areaHeight) {
  engine_ = engine;
  grid_.engine = engine;
  pictures_.assign(pictures.begin(), pictures.end());
  specialPictures_.assign(specialPictures.begin(), specialPictures.end());
  x0_ = x0;
  y0_ = y0;
  areaWidth_ = areaWidth;
  areaHeight_ = areaHeight;
  return true;
}

void CGameField::refreshSkins() {
  // The window changes the skins and relies on this to show them at once.
  for (int i = 0; i < grid_.size(); ++i)
    if (CPiece* p = grid_.at(i)) selectFrame(*p);
}
void CGameField::setVisible(bool) {}
void CGameField::onSettled() {}
void CGameField::stopDemo() { demo = false; }
void CGameField::startDemo() { demo = true; }
void CGameField::setLevel(int) {}

bool CGameField::setup(int, int) {
  picturesScaled_ = false;
  demo = false;
  return true;
}

void CGameField::clear() {
  undo_.clear();
  freeScaledPictures();
  removeAllBlocks();
  picturesScaled_ = false;
  finished = false;
  demo = false;
}

void CGameField::undo() { undo_.restore(*this); }
void CGameField::pushUndo() { undo_.push(grid_); }

bool CGameField::hasNoMoves() { return !grid_.hasGroup(); }

double CGameField::cellX(int cell) const {
  int w = std::max(grid_.width(), 1);
  return (cell % w) * grid_.cellSize + x0_;
}

double CGameField::cellY(int cell) const {
  int w = std::max(grid_.width(), 1);
  return (cell / w) * grid_.cellSize + y0_;
}

int CGameField::cellAt(int x, int y) const {
  if (grid_.size() == 0 || grid_.cellSize <= 0) return -1;
  // Points left of or above the board are outside it, not in column 0.
  if (x < static_cast<int>(x0_) || y < static_cast<int>(y0_)) return -1;
  int col = static_cast<int>((x - static_cast<double>(x0_)) / grid_.cellSize);
  int row = static_cast<int>((y - static_cast<double>(y0_)) / grid_.cellSize);
  if (col < grid_.width() && row < grid_.height()) return col + row * grid_.width();
  return -1;
}

void CGameField::recomputeCellSize() {
  if (grid_.width() <= 0) return;
  grid_.cellSize = (static_cast<double>(areaWidth_) - grid_.gap * (grid_.width() + 1.0)) /
                   grid_.width();
}

int CGameField::blockPixels() const {
  return std::max(1, static_cast<int>(std::ceil(grid_.cellSize)));
}

void CGameField::freeScaledPictures() { scaled_.clear(); }

void CGameField::scalePictures() {
  scaled_.clear();
  int cell = blockPixels();
  int inset = std::max(1, cell - 4);
  scaled_.resize(72);
  for (int i = 0; i < 36; ++i) {
    auto normal = std::make_unique<OBitmap>();
    auto small = std::make_unique<OBitmap>();
    const OClip* pic = i < static_cast<int>(pictures_.size()) ? pictures_[i] : nullptr;
    const OBitmap* src = pic ? pic->currentImage() : nullptr;
    if (src && src->valid()) {
      OBitmap::scale(*normal, *src, cell, cell);
      OBitmap::scale(*small, *src, inset, inset);
    } else {
      normal->create(cell, cell, kFallbackColours[i % 6]);
      small->create(inset, inset, kFallbackColours[i % 6]);
    }
    normal->xOffset = normal->yOffset = 0;
    small->xOffset = small->yOffset = 2;
    scaled_[i] = std::move(normal);
    scaled_[36 + i] = std::move(small);
  }
  picturesScaled_ = true;
  scaledFor_ = grid_.cellSize;
}

void CGameField::ensureScaled() {
  // Bitmaps of another cell size would leave blocks overlapping or apart.
  if (!picturesScaled_ || scaledFor_ != grid_.cellSize || scaled_.size() != 72) scalePictures();
}

const OBitmap* CGameField::scaledPicture(int index) const {
  return index >= 0 && index < static_cast<int>(scaled_.size()) ? scaled_[size_t(index)].get() : nullptr;
}

void CGameField::buildFrames(CPiece& piece) {
  ensureScaled();
  int colour = piece.colour >= 0 && piece.colour < 6 ? piece.colour : 0;
  for (int k = 0; k < 6; ++k) {
    piece.clip->addImage(*scaled_[k * 6 + colour]);
    piece.clip->addImage(*scaled_[36 + k * 6 + colour]);
  }
}

std::unique_ptr<CPiece> CGameField::makeBlock(int colour, int cell, bool chameleon) {
  auto piece = std::make_unique<CPiece>(colour);
  piece->chameleon = chameleon;
  piece->clip = std::make_unique<OClip>();
  buildFrames(*piece);
  OClip& clip = *piece->clip;
  clip.moves = false;  // the field moves its blocks itself, once per update
  clip.stopped = true;  // a block shows the frame the field selects, it does not animate
  clip.x = cellX(cell);
  clip.y = cellY(cell);
  clip.z = global().blockDepth;
  clip.vx = clip.vy = clip.vz = 0;
  clip.visible = true;
  selectFrame(*piece);
  return piece;
}

void CGameField::selectFrame(CPiece& piece) {
  if (!piece.clip) return;
  if (piece.clip->imageCount < 12) {
    piece.clip->showFrame(0);
    return;
  }
  int colour = std::clamp(piece.colour, 0, 5);
  int skin = std::clamp(global().skins[colour], 0, 5);
  piece.clip->showFrame(2 * skin + (piece.highlighted ? 1 : 0));
}

void CGameField::showClip(OClip* clip) {
  if (engine_ && clip) engine_->addClip(clip);
}

void CGameField::hideClip(OClip* clip) {
  if (engine_ && clip) engine_->removeClip(clip, false);
}

bool CGameField::placeBlock(int cell, std::unique_ptr<CPiece> piece) {
  if (!grid_.valid(cell) || grid_.at(cell) || !piece) return false;
  OClip* clip = piece->clip.get();
  grid_.put(cell, std::move(piece));
  showClip(clip);
  return true;
}

void CGameField::deleteBlock(int cell) {
  std::unique_ptr<CPiece> piece = grid_.take(cell);
  if (piece) hideClip(piece->clip.get());
}

void CGameField::addExtraClip(std::unique_ptr<OClip> clip) {
  showClip(clip.get());
  extraClips_.push_back(std::move(clip));
}

void CGameField::removeExtraClips() {
  for (auto& clip : extraClips_) hideClip(clip.get());
  extraClips_.clear();
}

void CGameField::removeAllBlocks() {
  for (int i = 0; i < grid_.size(); ++i) deleteBlock(i);
  grid_.highlightActive = false;
  removeExtraClips();
}

void CGameField::newField() {
  undo_.clear();
  global().score = 0;
  if (grid_.size() == 0) return;
  removeAllBlocks();
  finished = false;
  ++deals_;
  ensureScaled();
  int w = grid_.width(), h = grid_.height();
  for (int i = 0; i < w; ++i) {
    for (int j = 0; j < h; ++j) {
      int cell = i + j * w;
      placeBlock(cell, makeBlock(zb::random(6), cell));
    }
  }
  grid_.exploding = false;
  grid_.normalizing = false;
}

bool CGameField::setBoard(int width, int height, const std::vector<int>& colours) {
  removeAllBlocks();
  grid_.exploding = grid_.normalizing = false;
  if (!grid_.resize(width, height)) return false;
  recomputeCellSize();
  picturesScaled_ = false;
  for (int i = 0; i < grid_.size() && i < static_cast<int>(colours.size()); ++i)
    if (colours[i] >= 0) placeBlock(i, makeBlock(colours[i], i));
  return true;
}

void CGameField::removeHighlight() {
  for (int i = 0; i < grid_.size(); ++i) {
    CPiece* p = grid_.at(i);
    if (p && p->highlighted) {
      p->highlighted = false;
      selectFrame(*p);
    }
  }
  grid_.highlightActive = false;
}

int CGameField::groupPreview(int n, int score) {
  if (n >= 2 && !grid_.normalizing) {
    playEffect(12, true);
    return score;
  }
  return n < 2 && !grid_.highlightActive ? 0 : -1;
}

int CGameField::hover(int cell) {
  CPiece* p = grid_.at(cell);
  if (!p) {
    removeHighlight();
    return 0;
  }
  if (p->highlighted) return 0;
  removeHighlight();
  if (!idle()) return 0;
  std::vector<int> group = grid_.sameColourGroup(cell);
  if (group.size() < 2) return static_cast<int>(group.size());
  for (int c : group) {
    grid_.at(c)->highlighted = true;
    selectFrame(*grid_.at(c));
  }
  grid_.highlightActive = true;
  return static_cast<int>(group.size());
}

void CGameField::click(int cell) {
  CPiece* p = grid_.at(cell);
  if (!p || !idle()) return;
  if (grid_.highlightActive) pushUndo();
  std::vector<int> group = grid_.explosionFill(cell);
  for (int c : group) selectFrame(*grid_.at(c));
  if (group.size() <= 1) {
    p->exploding = false;
    selectFrame(*p);
    return;
  }
  grid_.exploding = true;
  playEffect(11);
}

void CGameField::explodeAll() {
  bool any = false;
  for (int i = 0; i < grid_.size(); ++i) {
    CPiece* p = grid_.at(i);
    if (!p) continue;
    any = true;
    p->exploding = true;
    p->highlighted = false;
    selectFrame(*p);
  }
  grid_.highlightActive = false;
  grid_.exploding = true;
  if (any) playEffect(11);
}

int CGameField::sparksFor(int n) {
  if (n < 5) return 5;
  if (n < 10) return 4;
  if (n < 15) return 3;
  if (n < 20) return 2;
  return 1;
}

void CGameField::emitSparks(const CPiece& piece, int count, int opacityStep) {
  const OClip* star = global().star;
  if (!star || star->empty() || !engine_ || !piece.clip) return;
  const OClip& block = *piece.clip;
  for (int k = 0; k < count; ++k) {
    auto* spark = new AStar(*star, block.x, block.y, block.width, block.height, piece.colour,
                            opacityStep);
    engine_->addClip(spark);  // the screen owns sparks and drops them when faded
  }
}

void CGameField::updateExplosion(int ms) {
  if (!grid_.exploding) return;
  CGlobal& g = global();
  int& p = g.explosionProgress;
  int next = static_cast<int>(g.current->alphaStep * g.speedFactor * ms * (1.0 / 30) + p);
  // A fade step below one would never finish the explosion; always advance.
  p = (ms > 0 && next <= p) ? p + 1 : next;
  if (p > 252) {
    p = 0;
    grid_.exploding = false;
    for (int i = 0; i < grid_.size(); ++i) {
      CPiece* piece = grid_.at(i);
      if (piece && piece->exploding) deleteBlock(i);
    }
    startFall();
    return;
  }
  int perBlock = sparksFor(1 + grid_.explodingCount());
  bool sparks = host_->blockExplosions();
  for (int i = 0; i < grid_.size(); ++i) {
    CPiece* piece = grid_.at(i);
    if (!piece || !piece->exploding || !piece->clip) continue;
    piece->clip->setOpacity(p);
    if (sparks && piece->clip->opacity < 80) emitSparks(*piece, perBlock, -40);
  }
}

int CGameField::chooseDemoGroup(int& best) {
  best = 0;
  int cell = -1;
  for (int i = 0; i < grid_.size(); ++i) {
    int n = grid_.groupSize(i);
    if (n > best) {
      best = n;
      cell = i;
    }
  }
  if (best == 2 || best == 3) {
    for (int i = grid_.size() - 1; i >= 1; --i) {
      if (grid_.groupSize(i) == best) {
        cell = i;
        break;
      }
    }
  }
  removeHighlight();
  return cell;
}

int CGameField::digitsFor(long long value) {
  int digits = 1;
  for (long long v = value; v >= 10 || v <= -10; v /= 10) ++digits;
  return digits;
}

std::unique_ptr<CNumberView> CGameField::makeFloatingNumber(int value, int cell) {
  auto view = host_->makeNumber(value, digitsFor(value), 0, 0, 4);
  double cell0 = grid_.cellSize;
  double w = view->pixelWidth();
  double x = cellX(cell) + cell0 / 2 - w / 2;
  double right = static_cast<double>(x0_) + areaWidth_;
  if (x + w > right) x = right - w;
  if (x < 0) x = 20;
  view->moveTo(x, cellY(cell) - cell0, 4);
  view->setValue(value);
  return view;
}

}  // namespace SpaceSinkra
