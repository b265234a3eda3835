#include <algorithm>

#include "gfx/OClip.h"
#include "platform/Random.h"
#include "sinkra/CGlobal.h"
#include "sinkra/CPiece.h"
#include "sinkra/CSinkraGame.h"

// Clicks, special blocks and the explosion of the rising-row variant.
namespace SpaceSinkra {

int CSinkraGame::flagExploding(CGameMap& grid, const std::vector<int>& cells) {
  int n = 0;
  for (int c : cells) {
    CPiece* p = grid.at(c);
    if (!p || p->exploding) continue;
    p->exploding = true;
    p->highlighted = false;
    ++n;
  }
  return n;
}

std::vector<int> CSinkraGame::specialTargets(int cell) {
  std::vector<int> out;
  CPiece* special = grid_.at(cell);
  if (!special) return out;
  int w = grid_.width(), h = grid_.height();
  int col = cell % w, row = cell / w;
  auto add = [&](int c) {
    if (c != cell && grid_.at(c)) out.push_back(c);
  };
  // The explosion fill as a click runs it, one fill after another: a block
  // taken by one group (a special joins any) is not free for the next. The
  // marks are dropped once all fills are done.
  std::vector<int> marked;
  auto dryFill = [&](int from) {
    std::vector<int> group = grid_.explosionFill(from);
    if (group.size() < 2) {
      for (int c : group) grid_.at(c)->exploding = false;
      return;
    }
    for (int c : group) add(c);
    marked.insert(marked.end(), group.begin(), group.end());
  };
  bool wasExploding = special->exploding;
  switch (special->colour) {
    case 10:
      for (int x = 0; x < w; ++x) add(x + row * w);
      break;
    case 11:
      for (int y = 0; y < h; ++y) add(col + y * w);
      break;
    case 12:
      for (int c = 0; c < grid_.size(); ++c)
        if (grid_.at(c) && grid_.groupSize(c) == 1) add(c);
      break;
    case 14:
      for (int y = std::max(0, row - 2); y <= std::min(h - 1, row + 2); ++y)
        for (int x = std::max(0, col - 2); x <= std::min(w - 1, col + 2); ++x) add(x + y * w);
      break;
    case 15: {
      // The special itself takes no part: it is deleted when clicked.
      special->exploding = true;
      const int nb[4] = {col + 1 < w ? cell + 1 : -1, row + 1 < h ? cell + w : -1,
                         col > 0 ? cell - 1 : -1, row > 0 ? cell - w : -1};
      for (int n : nb)
        if (n >= 0) dryFill(n);
      break;
    }
    case 16:
      special->exploding = true;
      for (int c = 0; c < grid_.size(); ++c)
        if (grid_.at(c) && !grid_.at(c)->exploding) dryFill(c);
      break;
    default:  // 13 and 17 act on the board as a whole, not on blocks
      break;
  }
  for (int c : marked) grid_.at(c)->exploding = false;
  special->exploding = wasExploding;
  std::sort(out.begin(), out.end());
  out.erase(std::unique(out.begin(), out.end()), out.end());
  return out;
}

void CSinkraGame::click(int cell) {
  if (ended_) return;
  CPiece* p = grid_.at(cell);
  if (!p || !idle()) return;
  if (p->special()) {
    clickSpecial(cell);
  } else {
    int n = grid_.groupSize(cell);
    if (n < 2) return;
    int points = scoreFor(n);
    global().addScore(points);
    if (n >= global().bonusFragments) addBonus(points, cell);
    setPreview(0);
    CGameField::click(cell);
  }
  emitAllSparks();
  int exploding = grid_.explodingCount();
  if (exploding > 0 && exploding == grid_.blockCount()) {
    int bonus = grid_.height() * 100;
    global().addScore(bonus);
    addBonus(bonus, cell);
  }
}

void CSinkraGame::clickSpecial(int cell) {
  CGlobal& g = global();
  int colour = grid_.at(cell)->colour;
  removeHighlight();
  specialPreview_ = false;
  int sound = colour == 14 ? 19 : 11;
  switch (colour) {
    case 10:
    case 11:
    case 12:
    case 14: {
      std::vector<int> cells = specialTargets(cell);
      cells.push_back(cell);
      g.addScore(2 * flagExploding(grid_, cells));
      break;
    }
    case 13:
      deleteBlock(cell);
      rotateBoard();
      break;
    case 15: {
      std::vector<int> cells = specialTargets(cell);
      deleteBlock(cell);
      g.addScore(2 * flagExploding(grid_, cells));
      break;
    }
    case 16: {
      int n = flagExploding(grid_, specialTargets(cell));
      g.addScore(2 * n);
      flagExploding(grid_, {cell});
      break;
    }
    case 17:
      recolour(cell);
      break;
    default:
      flagExploding(grid_, {cell});
      break;
  }
  grid_.exploding = true;
  playEffect(sound);
}

void CSinkraGame::rotateBoard() {
  int size = grid_.size();
  for (int i = 0; i < size / 2; ++i) {
    std::unique_ptr<CPiece> a = grid_.take(i);
    std::unique_ptr<CPiece> b = grid_.take(size - 1 - i);
    if (a) grid_.put(size - 1 - i, std::move(a));
    if (b) grid_.put(i, std::move(b));
  }
  for (int i = 0; i < size; ++i) {
    if (CPiece* p = grid_.at(i)) {
      p->clip->x = cellX(i);
      p->clip->y = cellY(i);
    }
  }
}

void CSinkraGame::recolour(int cell) {
  int a = zb::random(6);
  int b = zb::random(6);
  while (b == a) b = zb::random(6);
  for (int i = 0; i < grid_.size(); ++i) {
    CPiece* p = grid_.at(i);
    if (!p || i == cell || p->colour != a) continue;
    deleteBlock(i);
    placeBlock(i, makeBlock(b, i));
  }
  flagExploding(grid_, {cell});
}

void CSinkraGame::emitAllSparks() {
  if (!host_->blockExplosions()) return;
  int c = grid_.explodingCount();
  int per = c <= 4 ? 5 : c <= 9 ? 4 : c <= 14 ? 3 : c <= 19 ? 2 : 1;
  for (int i = 0; i < grid_.size(); ++i) {
    CPiece* p = grid_.at(i);
    if (p && p->exploding) emitSparks(*p, per, -30);
  }
}

double CSinkraGame::floatSpeed() const { return global().speedShowBonusEffect; }
int CSinkraGame::floatDelay() const { return global().delayShowBonusEffect; }

void CSinkraGame::addBonus(int value, int cell) {
  floats_.add(makeFloatingNumber(value, cell), floatSpeed() * global().speedFactor);
  playEffect(17);
}

void CSinkraGame::explodeAll() {
  CGameField::explodeAll();
  for (auto& slot : tray_) {
    if (!slot) continue;
    slot->exploding = true;
    slot->highlighted = false;
  }
}

void CSinkraGame::updateExplosion(int ms) {
  bool trayFlagged = std::any_of(tray_.begin(), tray_.end(),
                                 [](const auto& s) { return s && s->exploding; });
  if (grid_.exploding && trayFlagged) {
    const CGlobal& g = global();
    int next = static_cast<int>(g.current->alphaStep * g.speedFactor * ms * (1.0 / 15) +
                                trayProgress_);
    trayProgress_ = (ms > 0 && next <= trayProgress_) ? trayProgress_ + 1 : next;
    for (auto& slot : tray_)
      if (slot && slot->exploding) slot->clip->setOpacity(std::min(255, trayProgress_));
    if (trayProgress_ > 252) {
      trayProgress_ = 0;
      deleteTray(true);
      // The row starts again from its first slot.
      if (std::none_of(tray_.begin(), tray_.end(), [](const auto& s) { return s != nullptr; })) {
        trayFill_ = 0;
        elapsed_ = 0;
      }
    }
  }
  CGameField::updateExplosion(ms);
}

}  // namespace SpaceSinkra
