#include <algorithm>

#include "gfx/OClip.h"
#include "sinkra/CGameField.h"
#include "sinkra/CGlobal.h"
#include "sinkra/CPiece.h"
#include "storage/OConfig.h"

namespace SpaceSinkra {

namespace {
bool validColour(int c) { return c == -1 || (c >= 0 && c <= 5) || (c >= 10 && c <= 17); }
}  // namespace

void CGameField::saveState(OConfig& c) {
  c.setInt("size", grid_.size());
  c.setInt("width", grid_.width());
  c.setInt("height", grid_.height());
  c.setInt("hasExplode", grid_.exploding ? 1 : 0);
  c.setInt("hasNormalize", grid_.normalizing ? 1 : 0);
  c.setInt("normalizeType", normalizeMode_ == 2 ? 1 : 0);
  c.setInt("scores", global().score);
  for (int i = 0; i < grid_.size(); ++i) {
    const CPiece* p = grid_.at(i);
    c.setInt(OConfig::key("%d.color", i), p ? p->colour : -1);
    if (!p) continue;
    c.setInt(OConfig::key("%d.isExpolding", i), p->exploding ? 1 : 0);
    c.setInt(OConfig::key("%d.isMoving", i), p->moving ? 1 : 0);
    c.setInt(OConfig::key("%d.startNormPos", i), p->startCell);
    c.setInt(OConfig::key("%d.endNormPos", i), p->endCell);
  }
}

bool CGameField::stateAcceptable(OConfig& c, int width, int height) {
  if (width <= 0 || height <= 0 || width > CGameMap::kMaxSide || height > CGameMap::kMaxSide)
    return false;
  int size = width * height;
  if (c.getInt("size", -1) != size) return false;
  for (int i = 0; i < size; ++i) {
    int colour = c.getInt(OConfig::key("%d.color", i), -1);
    if (!validColour(colour)) return false;
    if (colour == -1) continue;
    int start = c.getInt(OConfig::key("%d.startNormPos", i), -1);
    int end = c.getInt(OConfig::key("%d.endNormPos", i), -1);
    if (start < -1 || start >= size || end < -1 || end >= size) return false;
  }
  return true;
}

void CGameField::loadState(OConfig& c) {
  stateLoaded_ = false;
  if (c.getInt("size", -1) == -1) return;
  removeAllBlocks();
  grid_.exploding = grid_.normalizing = false;
  int w = c.getInt("width", -1);
  int h = c.getInt("height", -1);
  if (w == -1 || h == -1) return;
  // A damaged or hostile state is refused as a whole: the board stays empty
  // with its current size rather than half built.
  if (!stateAcceptable(c, w, h)) return;
  grid_.resize(w, h);
  recomputeCellSize();
  global().score = std::max(0, c.getInt("scores", 0));
  grid_.exploding = c.getInt("hasExplode", 0) != 0;
  grid_.normalizing = c.getInt("hasNormalize", 0) != 0;
  normalizeMode_ = c.getInt("normalizeType", 0) == 1 ? 2 : 1;
  ensureScaled();
  for (int i = 0; i < grid_.size(); ++i) {
    int colour = c.getInt(OConfig::key("%d.color", i), -1);
    if (colour == -1) continue;
    auto piece = makeBlock(colour, i);
    piece->exploding = c.getInt(OConfig::key("%d.isExpolding", i), 0) != 0;
    piece->startCell = c.getInt(OConfig::key("%d.startNormPos", i), -1);
    piece->endCell = c.getInt(OConfig::key("%d.endNormPos", i), -1);
    // Flagged blocks are only ever removed by a running explosion.
    if (piece->exploding) grid_.exploding = true;
    placeBlock(i, std::move(piece));
  }
  startFall();
  stateLoaded_ = true;
}

}  // namespace SpaceSinkra
