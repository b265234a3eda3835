#include "tessel/AGameFieldDemo.h"

#include "tessel/AGameField.h"

namespace SpaceTessel {

namespace {

// Launches are tried side by side in this order, lines 1..11 each.
constexpr int kSideOrder[4] = {kSideUp, kSideDown, kSideRight, kSideLeft};
// Scratch launches fly at this speed with long frames, so each settles in
// a few updates.
constexpr double kScratchSpeed = 500;
constexpr int kScratchFrameMs = 1550;
constexpr int kScratchUpdateLimit = 50;

// Score minus groups after the launch has settled on a scratch copy.
int evaluate(const AGameField& board, const ADemoMove& m) {
  AGameField scratch(board, nullptr);
  scratch.evaluationMode = true;
  scratch.VV = kScratchSpeed;
  scratch.Shoot(m.side, m.row(), m.column());
  for (int k = 0; k < kScratchUpdateLimit && scratch.moveBusy; ++k) scratch.Update(kScratchFrameMs);
  return scratch.Score - scratch.CountGroups();
}

}  // namespace

int ADemoMove::row() const {
  return side == kSideDown ? kSize : side == kSideUp ? 0 : line;
}

int ADemoMove::column() const {
  return side == kSideRight ? kSize : side == kSideLeft ? 0 : line;
}

ADemoMove ChooseDemoMove(const AGameField& board, const std::function<void()>& afterSide) {
  // Scratch launches run the board's rules, which touch the shared flags;
  // the real game must not see any of that.
  const AFieldShared saved = shared();
  int best = board.Score - board.CountGroups();
  ADemoMove choice;
  ADemoMove bestValid;
  bool anyValid = false;
  int bestValidValue = 0;
  for (int side : kSideOrder) {
    for (int line = 1; line <= 11; ++line) {
      ADemoMove m{side, line};
      if (!board.CanLaunch(m.side, m.line)) continue;
      int value = evaluate(board, m);
      if (value >= best) {
        best = value;
        choice = m;
      }
      if (!anyValid || value >= bestValidValue) {
        bestValidValue = value;
        bestValid = m;
        anyValid = true;
      }
    }
    if (afterSide) afterSide();
  }
  shared() = saved;
  // Every launch may lower the value (a push that splits a group); the
  // default launch may then be blocked, so the best one possible is taken.
  if (!board.CanLaunch(choice.side, choice.line) && anyValid) choice = bestValid;
  return choice;
}

}  // namespace SpaceTessel
