#include <algorithm>

#include "sinkra/CClassicSinkraGame.h"
#include "sinkra/CGlobal.h"
#include "sinkra/CPiece.h"

// Pointing, clicks and the special blocks of the Classic variant.
namespace SpaceSinkra {

namespace {
// The colour a colour-remover special takes, -1 for other kinds.
int removedColour(int kind) {
  switch (kind) {
    case 11: return 2;
    case 12: return 0;
    case 13: return 1;
    case 14: return 3;
    case 16: return 4;
    default: return -1;
  }
}

}  // namespace

const OClip* CClassicSinkraGame::specialPicture(int colour) const {
  // Entries after the picture table's block pictures: b0..b5, cb0..cb3,
  // b6, b7, cb4.
  int entry = colour == 10 ? 4 : colour >= 11 && colour <= 14 ? colour - 5 : colour == 15 ? 5
              : colour == 16 ? 12 : -1;
  return entry >= 0 && entry < static_cast<int>(specialPictures_.size()) ? specialPictures_[entry] : nullptr;
}

std::vector<int> CClassicSinkraGame::classicTargets(int cell) {
  const CPiece* special = grid_.at(cell);
  if (!special) return {};
  if (special->colour == 15) return specialTargets(cell);
  std::vector<int> out;
  int w = grid_.width(), h = grid_.height();
  if (special->colour == 10) {
    int col = cell % w, row = cell / w;
    for (int y = std::max(0, row - 2); y <= std::min(h - 1, row + 2); ++y)
      for (int x = std::max(0, col - 2); x <= std::min(w - 1, col + 2); ++x)
        if (x + y * w != cell && grid_.at(x + y * w)) out.push_back(x + y * w);
    return out;
  }
  int colour = removedColour(special->colour);
  for (int c = 0; c < grid_.size() && colour >= 0; ++c)
    if (grid_.at(c) && grid_.at(c)->colour == colour) out.push_back(c);
  return out;
}

int CClassicSinkraGame::hover(int cell) {
  if (endLevelEffect_ || demo) return 0;
  if (bonusRunning_) return bonus_.hover(cell);
  if (ended_) return 0;
  pointedCell_ = cell;
  int n = lightClassic(cell);
  if (n >= 3 && !grid_.normalizing) playEffect(12, true);
  return n;
}

int CClassicSinkraGame::lightClassic(int cell) {
  int n = lightPointed(cell);
  const CPiece* p = grid_.at(cell);
  if (!p || p->special()) return n;
  // Only groups of three or more can be taken, so a pair is not lit.
  if (n == 2) removeHighlight();
  return n;
}

void CClassicSinkraGame::click(int cell) {
  if (endLevelEffect_) return;
  if (bonusRunning_) {
    bonus_.click(cell);
    return;
  }
  if (ended_) return;
  CPiece* p = grid_.at(cell);
  if (!p || !idle()) return;
  if (p->special()) {
    clickClassicSpecial(cell);
  } else {
    int n = grid_.groupSize(cell);
    if (n < 3) return;
    if (n >= rules_.bonusFragments) {
      global().addScore(static_cast<long long>(n) * n);
      addBonus(n * n, cell);
    } else {
      global().addScore(2LL * n);
    }
    CGameField::click(cell);
  }
  emitAllSparks();
  int exploding = grid_.explodingCount();
  if (exploding > 0 && exploding == grid_.blockCount())
    addPoints(level_ * grid_.height() * 100, cell);
}

void CClassicSinkraGame::clickClassicSpecial(int cell) {
  int kind = grid_.at(cell)->colour;
  removeHighlight();
  specialPreview_ = false;
  std::vector<int> targets = classicTargets(cell);
  int sound = 11;
  if (kind == 10) {
    targets.push_back(cell);
    global().addScore(2LL * flagExploding(grid_, targets));
    sound = 19;
  } else if (kind == 15) {
    deleteBlock(cell);
    global().addScore(2LL * flagExploding(grid_, targets));
    sound = 19;
  } else {
    // Colour removers score the blocks of their colour, not themselves.
    global().addScore(2LL * flagExploding(grid_, targets));
    flagExploding(grid_, {cell});
  }
  grid_.exploding = true;
  playEffect(sound);
}

}  // namespace SpaceSinkra
