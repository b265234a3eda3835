#pragma once

namespace SpaceGyrex {

class RField;
class RFieldGame;

struct RMove {
  int column = -1, row = -1;
  bool clockwise = true;
};

// The computer player of the data generator and the tests: tries every turn
// of every element and takes the one that destroys most, narrowing the
// field counts extra; without any, a turn that lets something fall or
// slide; without that, the turn that grows its groups most. Ties and
// near-ties go to zb::random, so seeded games differ but replay exactly.
class RFieldPlayer {
public:
  // False when the field has nothing to turn.
  static bool Choose(const RField& field, RMove& move);
  // Milliseconds a player thinks before a move.
  static int ThinkMs();
  // Plays a whole game from its start until it ends or `maxMoves` moves
  // were made; returns whether it ended by itself.
  static bool PlayOut(RFieldGame& game, int maxMoves);
};

}  // namespace SpaceGyrex
