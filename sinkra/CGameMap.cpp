#include "sinkra/CGameMap.h"

#include "sinkra/CGridOps.h"
#include "sinkra/CPiece.h"

namespace SpaceSinkra {

CGameMap::CGameMap() = default;
CGameMap::~CGameMap() = default;

bool CGameMap::resize(int width, int height) {
  cells_.clear();
  width_ = height_ = 0;
  if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return false;
  cells_.resize(static_cast<size_t>(width * height));
  width_ = width;
  height_ = height;
  return true;
}

bool CGameMap::put(int cell, std::unique_ptr<CPiece> piece) {
  if (!valid(cell) || cells_[cell]) return false;
  cells_[cell] = std::move(piece);
  return true;
}

std::unique_ptr<CPiece> CGameMap::take(int cell) {
  if (!valid(cell)) return nullptr;
  return std::move(cells_[cell]);
}

std::vector<int> CGameMap::sameColourGroup(int cell) {
  CPiece* start = at(cell);
  if (!start) return {};
  int colour = start->colour;
  start->counted = true;
  auto group = CGridOps::flood(width_, height_, cell, [&](int c) {
    CPiece* p = cells_[c].get();
    if (!p || p->colour != colour || p->counted) return false;
    p->counted = true;
    return true;
  });
  for (int c : group) cells_[c]->counted = false;
  return group;
}

int CGameMap::groupSize(int cell) { return static_cast<int>(sameColourGroup(cell).size()); }

std::vector<int> CGameMap::explosionFill(int cell) {
  CPiece* start = at(cell);
  if (!start || start->exploding) return {};
  int colour = start->colour;
  start->exploding = true;
  start->highlighted = false;
  return CGridOps::flood(width_, height_, cell, [&](int c) {
    CPiece* p = cells_[c].get();
    if (!p || p->exploding || (p->colour != colour && p->colour < 10)) return false;
    p->exploding = true;
    p->highlighted = false;
    return true;
  });
}

int CGameMap::blockCount() const {
  int n = 0;
  for (auto& p : cells_) n += p ? 1 : 0;
  return n;
}

bool CGameMap::anyMoving() const {
  for (auto& p : cells_)
    if (p && p->moving) return true;
  return false;
}

int CGameMap::explodingCount() const {
  int n = 0;
  for (auto& p : cells_) n += (p && p->exploding) ? 1 : 0;
  return n;
}

bool CGameMap::hasGroup() const {
  for (int i = 0; i < size(); ++i) {
    const CPiece* p = cells_[i].get();
    if (!p) continue;
    int col = i % width_;
    const CPiece* right = col + 1 < width_ ? cells_[i + 1].get() : nullptr;
    const CPiece* below = i + width_ < size() ? cells_[i + width_].get() : nullptr;
    if ((right && right->colour == p->colour) || (below && below->colour == p->colour)) return true;
  }
  return false;
}

int CGameMap::largestGroup() {
  int best = 0;
  for (int i = 0; i < size(); ++i) best = std::max(best, groupSize(i));
  return best;
}

}  // namespace SpaceSinkra
