#pragma once
#include <vector>

namespace SpaceSinkra {

class CGameMap;

// The computer opponent of turn play. It keeps a colour copy of the board,
// tries each candidate cell on a scratch copy (remove the group, let the
// blocks fall, close the columns to the left exactly as the board does) and
// prefers moves that leave a group of exactly minimum + 1 blocks, so that the
// mover can go on with the next, larger group.
class CAI_ {
public:
  // Takes the colours of the grid and the cells the mover may choose from.
  // The candidate list is referenced, not copied; it must outlive the calls.
  void loadBoard(const CGameMap& grid, const std::vector<int>& candidates);
  // Same from plain colours (-1 for an empty cell), for tools and tests.
  void loadColours(int width, int height, const std::vector<int>& colours,
                   const std::vector<int>& candidates);

  // A candidate cell, or -1 when there are none. Uses the shared random
  // generator to break ties.
  int chooseMove(int minimum);

  // The colours (-1 empty) the loaded board would show once the group at
  // `cell` is removed and the blocks have fallen and closed up.
  std::vector<int> boardAfter(int cell) const;

  // Cells of the last choice's preferred list (each candidate once per cell
  // of a group of minimum + 1 it leaves behind).
  const std::vector<int>& results() const { return result_; }

private:
  struct Cell {
    int colour = -1;  // -1: empty
    bool counted = false;
    bool removal = false;
  };

  int groupSize(std::vector<Cell>& board, int cell) const;
  void removeGroup(std::vector<Cell>& board, int cell) const;
  void compact(std::vector<Cell>& board) const;

  int width_ = 0;
  int height_ = 0;
  std::vector<Cell> board_;
  const std::vector<int>* candidates_ = nullptr;
  std::vector<int> result_;
};

}  // namespace SpaceSinkra
