// The hint search: a move is useful when it can join runs of one colour
// across an edge, let an element drop into the one below, or let a column
// close up with its neighbour.
#include "gyrex/RField.h"

namespace SpaceGyrex {
namespace {

// Neighbours in hint order: above, right, below, left.
constexpr int kDc[4] = {0, 1, 0, -1};
constexpr int kDr[4] = {-1, 0, 1, 0};

bool inside(int c, int r) { return c >= 0 && c < kColumns && r >= 0 && r < kRows; }

}  // namespace

// Consecutive segments of the colour around the element through its first
// segment of that colour, both ways; 0 when the colour is absent.
int RField::colourRun(int column, int row, int colour) const {
  const int8_t* e = elements[column][row];
  int first = 0;
  while (first < kSegments && e[first] != colour) ++first;
  if (first == kSegments) return 0;
  int n = 1;
  for (int k = 1; k < kSegments && e[(first + k) % kSegments] == colour; ++k) ++n;
  for (int k = 1; n < kSegments && e[(first + kSegments - k) % kSegments] == colour; ++k) ++n;
  return n;
}

bool RField::neighbourHolds(int column, int row, int colour) const {
  if (!inside(column, row)) return false;
  const int8_t* e = elements[column][row];
  return e[0] == colour || e[1] == colour || e[2] == colour || e[3] == colour;
}

bool RField::runUseful(int column, int row, int colour, int run) const {
  for (int i = 0; i < 4; ++i) {
    const int nc = column + kDc[i], nr = row + kDr[i];
    if (!inside(nc, nr)) continue;
    if (run >= 3) {
      if (neighbourHolds(nc, nr, colour)) return true;
      continue;
    }
    const int theirs = colourRun(nc, nr, colour);
    if (theirs == 2 || theirs == 3) return true;
    // A single segment there and the colour on the next side round: a turn
    // can bring both into contact.
    const int next = (i + 1) % 4;
    if (theirs == 1 && neighbourHolds(column + kDc[next], row + kDr[next], colour)) return true;
  }
  return false;
}

bool RField::hintRuns() {
  for (int c = 0; c <= rightColumn; ++c)
    for (int r = kRows - 1; r >= 0; --r) {
      const int shape = ShapeOf(c, r);
      if (shape != kShapeAdjacent && shape != kShapeThree && shape != kShapeFull) continue;
      for (int colour = 1; colour <= kMaxColour; ++colour) {
        const int run = colourRun(c, r, colour);
        if (run >= 2 && runUseful(c, r, colour, run)) {
          hintColumn = c, hintRow = r;
          return true;
        }
      }
    }
  return false;
}

bool RField::hintStacks() {
  for (int c = 0; c <= rightColumn; ++c)
    for (int r = kRows - 1; r >= 1; --r) {
      const int lower = ShapeOf(c, r);
      if (lower == kShapeFull || IsEmpty(c, r - 1)) continue;
      const int upper = ShapeOf(c, r - 1);
      const bool useful = (lower == kShapeOne && upper != kShapeFull) ||
                          (lower == kShapeAdjacent && upper >= kShapeOne && upper <= kShapeOpposite) ||
                          ((lower == kShapeOpposite || lower == kShapeThree) && upper == kShapeOne);
      if (useful) {
        hintColumn = c, hintRow = r;
        return true;
      }
    }
  return false;
}

bool RField::hintColumns() {
  for (int c = 0; c < rightColumn; ++c)
    for (int r = kRows - 1; r >= 0; --r) {
      const int left = ShapeOf(c, r), right = ShapeOf(c + 1, r);
      if (left == kShapeEmpty || right == kShapeEmpty) {
        hintColumn = c, hintRow = -1;
        return true;
      }
      const bool wide = left == kShapeOpposite || left == kShapeThree || (left == kShapeAdjacent && right != kShapeAdjacent);
      if ((left == kShapeOne && right == kShapeFull) || (wide && right != kShapeOne) || left == kShapeFull) break;
    }
  return false;
}

bool RField::FindHint() {
  hintColumn = hintRow = -1;
  return hintRuns() || hintStacks() || hintColumns();
}

}  // namespace SpaceGyrex
