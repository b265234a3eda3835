#include "gyrex/RFieldPlayer.h"

#include <algorithm>

#include "gyrex/RFieldGame.h"
#include "platform/Random.h"

namespace SpaceGyrex {
namespace {

constexpr int kProductive = 1000;

// Sum of squared group sizes through one element: bigger groups of one
// colour are closer to vanishing.
int groupWeight(RField& f, int column, int row) {
  int w = 0;
  for (int s = 0; s < kSegments; ++s) {
    const int n = f.GroupSize(column, row, s);
    w += n * n;
  }
  return w;
}

// Value of one turn on `f` (which it changes): productive turns (something
// destroyed, fallen or slid) score above kProductive, others the growth of
// their groups.
int turnValue(RField& f, int column, int row, bool clockwise) {
  const int before = groupWeight(f, column, row);
  const int width = f.rightColumn;
  int destroyed = 0;
  const RFieldGame::Step first = RFieldGame::StartMove(f, column, row, clockwise, destroyed);
  if (first == RFieldGame::kNothing) return groupWeight(f, column, row) - before;
  RResolve r;
  RFieldGame::Resolve(f, first, r);
  return kProductive + (destroyed + r.destroyed) * 10 + (width - f.rightColumn) * 200 + r.fallSteps;
}

// A quiet turn is worth what the best productive follow-up on the same or a
// neighbouring element is worth, a little less for the extra move.
int followUpValue(const RField& after, int column, int row) {
  static constexpr int kDc[5] = {0, 0, 1, 0, -1}, kDr[5] = {0, -1, 0, 1, 0};
  int best = 0;
  for (int i = 0; i < 5; ++i) {
    const int c = column + kDc[i], r = row + kDr[i];
    if (c < 0 || c > after.rightColumn || r < 0 || r >= kRows || after.IsEmpty(c, r)) continue;
    for (bool clockwise : {true, false}) {
      RField f = after;
      const int v = turnValue(f, c, r, clockwise);
      if (v >= kProductive) best = std::max(best, v - kProductive / 2);
    }
  }
  return best;
}

// Turns that let a column slide left: their number in quarter turns and
// the first one to make.
struct SlidePlan {
  int cost = 0;
  RMove first;
};

// Per row the cheapest turns of the element and its left neighbour that
// let the element move left; false when some row cannot.
bool planColumn(const RField& field, int column, SlidePlan& plan) {
  plan = {};
  bool haveFirst = false;
  for (int r = 0; r < kRows; ++r) {
    if (field.IsEmpty(column, r)) continue;
    int best = 99, bestLeft = 0, bestRight = 0;
    for (int a = 0; a < 4; ++a)
      for (int b = 0; b < 4; ++b) {
        const int cost = std::min(a, 4 - a) + std::min(b, 4 - b);
        if (cost >= best) continue;
        RField f = field;
        for (int k = 0; k < a; ++k) f.Rotate(column - 1, r, true);
        for (int k = 0; k < b; ++k) f.Rotate(column, r, true);
        if (f.CanMoveLeft(column, r)) best = cost, bestLeft = a, bestRight = b;
      }
    if (best == 99) return false;
    plan.cost += best;
    if (!haveFirst && best > 0) {
      haveFirst = true;
      const bool left = bestLeft != 0;
      const int turns = left ? bestLeft : bestRight;
      plan.first = {left ? column - 1 : column, r, turns != 3};
    }
  }
  return haveFirst;
}

// The cheapest turns of one element and a neighbour that make a group
// vanish through the element.
bool planGroup(const RField& field, RMove& move) {
  static constexpr int kDc[3] = {0, 1, 0}, kDr[3] = {0, 0, 1};
  int best = 99;
  RField f = field;
  for (int c = 0; c <= field.rightColumn; ++c)
    for (int r = 0; r < kRows; ++r) {
      if (field.IsEmpty(c, r)) continue;
      for (int i = 0; i < 3; ++i) {
        const int nc = c + kDc[i], nr = r + kDr[i];
        if (nc > field.rightColumn || nr >= kRows || (i > 0 && field.IsEmpty(nc, nr))) continue;
        for (int a = 0; a < 4; ++a)
          for (int b = 0; b < (i == 0 ? 1 : 4); ++b) {
            const int cost = std::min(a, 4 - a) + std::min(b, 4 - b);
            if (cost == 0 || cost >= best) continue;
            std::copy_n(&field.elements[0][0][0], kElementsTextLength, &f.elements[0][0][0]);
            for (int k = 0; k < a; ++k) f.Rotate(c, r, true);
            for (int k = 0; k < b; ++k) f.Rotate(nc, nr, true);
            if (f.DestroyPassElement(c, r) == 0) continue;
            best = cost;
            const bool first = a != 0;
            const int turns = first ? a : b;
            move = {first ? c : nc, first ? r : nr, turns != 3};
          }
      }
    }
  return best < 99;
}

// The same with a middle element and two of its neighbours, for groups that
// run through three elements.
bool planChain(const RField& field, RMove& move) {
  static constexpr int kDc[4] = {0, 1, 0, -1}, kDr[4] = {-1, 0, 1, 0};
  int best = 99;
  RField f = field;
  for (int c = 0; c <= field.rightColumn; ++c)
    for (int r = 0; r < kRows; ++r) {
      if (field.IsEmpty(c, r)) continue;
      for (int i = 0; i < 4; ++i)
        for (int j = i + 1; j < 4; ++j) {
          const int c1 = c + kDc[i], r1 = r + kDr[i], c2 = c + kDc[j], r2 = r + kDr[j];
          auto usable = [&](int x, int y) { return x >= 0 && x <= field.rightColumn && y >= 0 && y < kRows && !field.IsEmpty(x, y); };
          if (!usable(c1, r1) || !usable(c2, r2)) continue;
          for (int t = 0; t < 64; ++t) {
            const int a = t & 3, b = (t >> 2) & 3, d = t >> 4;
            const int cost = std::min(a, 4 - a) + std::min(b, 4 - b) + std::min(d, 4 - d);
            if (cost == 0 || cost >= best) continue;
            std::copy_n(&field.elements[0][0][0], kElementsTextLength, &f.elements[0][0][0]);
            for (int k = 0; k < a; ++k) f.Rotate(c, r, true);
            for (int k = 0; k < b; ++k) f.Rotate(c1, r1, true);
            for (int k = 0; k < d; ++k) f.Rotate(c2, r2, true);
            if (f.DestroyPassElement(c, r) == 0) continue;
            best = cost;
            const int turns = a ? a : b ? b : d;
            move = {a ? c : b ? c1 : c2, a ? r : b ? r1 : r2, turns != 3};
          }
        }
    }
  return best < 99;
}

// The cheapest set of turns that lets a whole column slide left.
bool planSlide(const RField& field, RMove& move) {
  int best = 1 << 30;
  for (int c = 1; c <= field.rightColumn; ++c) {
    SlidePlan plan;
    if (field.IsEmpty(c, kRows - 1) || !planColumn(field, c, plan) || plan.cost >= best) continue;
    best = plan.cost;
    move = plan.first;
  }
  return best < (1 << 30);
}

}  // namespace

bool RFieldPlayer::Choose(const RField& field, RMove& move) {
  int best = -1 << 30;
  bool found = false;
  for (int c = 0; c <= field.rightColumn; ++c)
    for (int r = 0; r < kRows; ++r) {
      if (field.IsEmpty(c, r)) continue;
      for (bool clockwise : {true, false}) {
        RField f = field;
        int value = turnValue(f, c, r, clockwise);
        if (value < kProductive) value = std::max(value, followUpValue(f, c, r));
        value = value * 4 + zb::random(4);
        if (value <= best) continue;
        best = value, found = true;
        move = {c, r, clockwise};
      }
    }
  // Nothing to gain at once: work towards a group, else towards closing a
  // column.
  if (best < kProductive * 4 && (planGroup(field, move) || planChain(field, move) || planSlide(field, move))) return true;
  return found;
}

int RFieldPlayer::ThinkMs() { return 700 + zb::random(1300); }

bool RFieldPlayer::PlayOut(RFieldGame& game, int maxMoves) {
  for (int i = 0; i < maxMoves && !game.gameOver; ++i) {
    game.Idle(ThinkMs());
    if (game.gameOver) break;
    RMove m;
    if (!Choose(game.field, m)) break;
    game.Move(m.column, m.row, m.clockwise);
  }
  return game.gameOver;
}

}  // namespace SpaceGyrex
