#include <algorithm>
#include <cmath>

#include "gfx/OClip.h"
#include "sinkra/CGameField.h"
#include "sinkra/CGlobal.h"
#include "sinkra/CGridOps.h"
#include "sinkra/CPiece.h"

namespace SpaceSinkra {

void CGameField::update(int ms) {
  updateExplosion(ms);
  movementStep();
}

void CGameField::startFall() {
  normalizeMode_ = 2;
  grid_.normalizing = true;
  auto occupied = [this](int c) { return grid_.at(c) != nullptr; };
  auto moving = [this](int c) { return grid_.at(c)->moving; };
  for (auto& m : CGridOps::planFall(grid_.width(), grid_.height(), occupied, moving))
    moveBlock(m.first, m.second);
}

bool CGameField::moveBlock(int from, int to) {
  CPiece* p = grid_.at(from);
  if (!p || !grid_.valid(to) || from == to || !p->clip) return false;
  const CGlobal& g = global();
  OClip& clip = *p->clip;
  clip.vx = clip.vy = 0;
  int w = grid_.width();
  // A zero speed from a damaged rules file would leave blocks sliding
  // forever; one pixel per update is the slowest slide.
  if (from % w == to % w) {
    double v = std::max(1.0, g.current->speed * g.speedFactor);
    clip.vy = to < from ? -v : v;
  } else {
    double v = std::max(1.0, g.current->speed);
    clip.vx = to % w < from % w ? -v : v;
  }
  p->moving = true;
  p->startCell = from;
  p->endCell = to;
  return true;
}

void CGameField::startClosing() {
  normalizeMode_ = 1;
  int w = grid_.width(), h = grid_.height();
  auto occupied = [this](int c) { return grid_.at(c) != nullptr; };
  auto send = [&](const std::vector<CGridOps::Move>& moves) {
    for (auto& m : moves) moveBlock(m.first, m.second);
    if (!moves.empty()) grid_.normalizing = true;
  };
  if (!centreClosing_) {
    CGridOps::Closing c = CGridOps::closeLeft(w, h, occupied);
    if (c.shift == 0) {
      grid_.normalizing = false;
      onSettled();
      return;
    }
    send(CGridOps::shiftColumns(w, h, c.first, w - 1, -c.shift, occupied));
    return;
  }
  CGridOps::Closing right = CGridOps::closeRightPart(w, h, occupied);
  if (right.shift == 0)
    grid_.normalizing = false;
  else
    send(CGridOps::shiftColumns(w, h, right.first, w - 1, -right.shift, occupied));
  CGridOps::Closing left = CGridOps::closeLeftPart(w, h, occupied);
  if (left.shift != 0) {
    grid_.normalizing = true;
    send(CGridOps::shiftColumns(w, h, 0, left.first, left.shift, occupied));
  }
}

bool CGameField::closingGapLeft() {
  int w = grid_.width(), h = grid_.height();
  auto occupied = [this](int c) { return grid_.at(c) != nullptr; };
  if (!centreClosing_) return CGridOps::closeLeft(w, h, occupied).shift != 0;
  return CGridOps::closeRightPart(w, h, occupied).shift != 0 ||
         CGridOps::closeLeftPart(w, h, occupied).shift != 0;
}

void CGameField::movementStep() {
  if (!grid_.normalizing) return;
  for (int i = 0; i < grid_.size(); ++i) {
    CPiece* p = grid_.at(i);
    if (!p || !p->clip) continue;
    p->clip->x += p->clip->vx;
    p->clip->y += p->clip->vy;
    p->clip->z += p->clip->vz;
  }
  if (normalizeMode_ == 2)
    landFalling();
  else
    landClosing();
  if (!grid_.anyMoving()) grid_.normalizing = false;
}

void CGameField::landFalling() {
  if (!grid_.anyMoving()) {
    startClosing();
    return;
  }
  std::vector<int> landing;
  for (int i = grid_.size() - 1; i >= 0; --i) {
    CPiece* p = grid_.at(i);
    if (!p || !p->moving || !p->clip) continue;
    const OClip& c = *p->clip;
    double target = cellY(p->endCell);
    bool arrived = c.vy >= 0 ? c.y + c.vy >= target : c.y + c.vy <= target;
    if (arrived) landing.push_back(i);
  }
  if (landing.empty()) return;
  landBlocks(landing);
  if (!grid_.anyMoving()) {
    startClosing();
    if (!grid_.normalizing) onSettled();
  }
}

void CGameField::landClosing() {
  std::vector<int> landing;
  for (int i = 0; i < grid_.size(); ++i) {
    CPiece* p = grid_.at(i);
    if (!p || !p->moving || !p->clip) continue;
    const OClip& c = *p->clip;
    double target = cellX(p->endCell);
    bool arrived = c.vx <= 0 ? c.x + c.vx <= target : c.x + c.vx >= target;
    if (arrived) landing.push_back(i);
  }
  landBlocks(landing);
  if (grid_.anyMoving()) return;
  grid_.normalizing = false;
  if (closingGapLeft()) {
    grid_.normalizing = true;
    startClosing();
  } else {
    onSettled();
  }
}

void CGameField::landBlocks(const std::vector<int>& cells) {
  // Lift every landing block out first: in a closing towards the middle a
  // block may land on a cell another landing block is just leaving.
  std::vector<std::pair<int, std::unique_ptr<CPiece>>> lifted;
  for (int c : cells) lifted.emplace_back(c, grid_.take(c));
  for (auto& [from, piece] : lifted) {
    int to = piece->endCell;
    // A target still held by a block that is not landing would mean a bad
    // plan; the block then stays where it was rather than being lost.
    int cell = grid_.valid(to) && !grid_.at(to) ? to : from;
    CPiece* p = piece.get();
    grid_.put(cell, std::move(piece));
    p->clip->x = cellX(cell);
    p->clip->y = cellY(cell);
    p->clip->vx = p->clip->vy = p->clip->vz = 0;
    p->moving = false;
    playEffect(13);
  }
}

}  // namespace SpaceSinkra
