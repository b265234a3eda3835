#pragma once
#include <istream>

namespace SpaceTessel {

class AGameField;
class AReplayBuffer;

// One launch of a game record: where it came from and the colours in
// force, then (once the move settled) whether new cubes followed.
struct AReplayMove {
  // Values of a launch in the record, the new-cubes flag included.
  static constexpr int kValues = 12;

  int side = 0, row = 0, column = 0;
  int curUp = 0, curDown = 0, curLeft = 0, curRight = 0;
  int nextUp = 0, nextDown = 0, nextLeft = 0, nextRight = 0;
  int newCubes = 0;

  // The launch (side, row, column as passed to Shoot) with the board's colours.
  static AReplayMove capture(const AGameField& board, int side, int row, int column);
  // Appends everything but the new-cubes flag, which follows once the move settled.
  void appendLaunch(AReplayBuffer& buffer) const;
  // Reads a whole launch. False when the stream ends or fails, or a value
  // is out of range (a side other than 1..4, a row or column that does not
  // match the side, a colour outside 1..6, a flag other than 0 or 1).
  bool read(std::istream& in);
  // The line 1..11 the launch went into.
  int line() const;
  // Puts the recorded current and next colours on the board.
  void applyColors(AGameField& board) const;
};

}  // namespace SpaceTessel
