#pragma once
#include <functional>

namespace SpaceTessel {

class AGameField;

// A launch the computer chose: a side (1..4) and a line (1..11), with the
// row and column to pass to Shoot.
struct ADemoMove {
  int side = 2;
  int line = 2;
  int row() const;
  int column() const;
};

// The computer player: tries each of the 44 launches (top, bottom, right,
// left, lines 1..11) on a scratch copy of the board and takes the one that
// leaves the highest score minus groups (a later launch wins a tie). The
// board and the shared state are left as they were. `afterSide`, when
// given, runs after each side's eleven tries (the window keeps its screen
// alive with it).
ADemoMove ChooseDemoMove(const AGameField& board, const std::function<void()>& afterSide = {});

}  // namespace SpaceTessel
