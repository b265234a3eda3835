#include "sinkra/CAI_.h"

#include "platform/Random.h"
#include "sinkra/CGameMap.h"
#include "sinkra/CGridOps.h"
#include "sinkra/CPiece.h"

namespace SpaceSinkra {

void CAI_::loadBoard(const CGameMap& grid, const std::vector<int>& candidates) {
  std::vector<int> colours(static_cast<size_t>(grid.size()), -1);
  for (int i = 0; i < grid.size(); ++i) {
    if (const CPiece* p = grid.at(i)) colours[i] = p->colour;
  }
  loadColours(grid.width(), grid.height(), colours, candidates);
}

void CAI_::loadColours(int width, int height, const std::vector<int>& colours,
                       const std::vector<int>& candidates) {
  width_ = width > 0 && height > 0 ? width : 0;
  height_ = width_ > 0 ? height : 0;
  board_.assign(static_cast<size_t>(width_ * height_), Cell{});
  for (size_t i = 0; i < board_.size() && i < colours.size(); ++i) board_[i].colour = colours[i];
  candidates_ = &candidates;
}

int CAI_::groupSize(std::vector<Cell>& board, int cell) const {
  if (cell < 0 || cell >= static_cast<int>(board.size()) || board[cell].colour < 0) return 0;
  int colour = board[cell].colour;
  board[cell].counted = true;
  auto group = CGridOps::flood(width_, height_, cell, [&](int c) {
    if (board[c].colour != colour || board[c].counted) return false;
    board[c].counted = true;
    return true;
  });
  for (int c : group) board[c].counted = false;
  return static_cast<int>(group.size());
}

void CAI_::removeGroup(std::vector<Cell>& board, int cell) const {
  if (cell < 0 || cell >= static_cast<int>(board.size()) || board[cell].colour < 0) return;
  int colour = board[cell].colour;
  board[cell].removal = true;
  auto group = CGridOps::flood(width_, height_, cell, [&](int c) {
    if (board[c].colour != colour || board[c].removal) return false;
    board[c].removal = true;
    return true;
  });
  for (int c : group) {
    board[c].removal = false;
    if (group.size() >= 2) board[c].colour = -1;
  }
}

void CAI_::compact(std::vector<Cell>& board) const {
  auto occupied = [&](int c) { return board[c].colour >= 0; };
  auto apply = [&](const std::vector<CGridOps::Move>& moves) {
    // All slides of one phase happen at once: lift every moving block out
    // before placing any, so a target still holding a mover is not lost.
    std::vector<int> colours;
    colours.reserve(moves.size());
    for (auto& m : moves) {
      colours.push_back(board[m.first].colour);
      board[m.first].colour = -1;
    }
    for (size_t k = 0; k < moves.size(); ++k) board[moves[k].second].colour = colours[k];
  };
  apply(CGridOps::planFall(width_, height_, occupied, [](int) { return false; }));
  for (;;) {
    CGridOps::Closing c = CGridOps::closeLeft(width_, height_, occupied);
    if (c.shift == 0) break;
    apply(CGridOps::shiftColumns(width_, height_, c.first, width_ - 1, -c.shift, occupied));
  }
}

std::vector<int> CAI_::boardAfter(int cell) const {
  std::vector<Cell> scratch = board_;
  removeGroup(scratch, cell);
  compact(scratch);
  std::vector<int> out;
  out.reserve(scratch.size());
  for (const Cell& c : scratch) out.push_back(c.colour);
  return out;
}

int CAI_::chooseMove(int minimum) {
  if (candidates_ == nullptr || candidates_->empty()) return -1;
  result_.clear();
  std::vector<Cell> scratch;
  for (int c : *candidates_) {
    scratch = board_;
    removeGroup(scratch, c);
    compact(scratch);
    for (int j = 0; j < static_cast<int>(scratch.size()); ++j) {
      if (groupSize(scratch, j) == minimum + 1) result_.push_back(c);
    }
  }
  if (!result_.empty()) return result_[zb::random(static_cast<int>(result_.size()))];
  return (*candidates_)[zb::random(static_cast<int>(candidates_->size()))];
}

}  // namespace SpaceSinkra
