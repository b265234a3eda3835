#pragma once

namespace SpaceGyrex {

class RField;

// The score a Gyrex game keeps across moves: each settled move adds
// 2 + 4 + ... + 2 x chainTotal, then doubles once when a colour vanished
// and once per column of width lost.
struct RScore {
  int score = 0;
  int chainTotal = 0;  // segments destroyed since the last settle
  int previousColours = 0;
  int previousRightColumn = 11;
  bool noScoreOnSettle = false;

  // A new game or a loaded one: nothing scored yet (score kept unless reset).
  void Start(const RField& field, bool resetScore);
  // One settle with the field's colours in play and rightColumn. Returns the
  // number of doublings (0 when noScoreOnSettle was set); afterwards
  // chainTotal is 0, noScoreOnSettle false and the previous values follow
  // the field.
  int Settle(int colours, int rightColumn);
};

}  // namespace SpaceGyrex
