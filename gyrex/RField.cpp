#include "gyrex/RField.h"

#include <algorithm>

#include "platform/Random.h"
#include "storage/OConfig.h"

namespace SpaceGyrex {
namespace {

// A fresh element is drawn again while it makes a group above MaxNear. Some
// rules cannot be met everywhere (two colours, MaxNear 2), so after this
// many draws the element with the smallest largest group is kept.
constexpr int kMaxDraws = 200;

}  // namespace

RField::RField() = default;
RField::~RField() = default;

int RField::Colour(int column, int row, int segment) const {
  const int v = elements[column][row][segment];
  if (v >= 0) return v;
  if (v & 0x78) return -v;  // negated: counted or marked for destruction
  return v & 7;             // top bit: marked to fall
}

bool RField::Marked(int column, int row, int segment) const { return elements[column][row][segment] < 0; }

void RField::SetColour(int column, int row, int segment, int colour) {
  elements[column][row][segment] = static_cast<int8_t>(std::clamp(colour, 0, kMaxColour));
}

bool RField::IsEmpty(int column, int row) const {
  const int8_t* e = elements[column][row];
  return !e[0] && !e[1] && !e[2] && !e[3];
}

bool RField::IsFull(int column, int row) const {
  const int8_t* e = elements[column][row];
  return e[0] && e[1] && e[2] && e[3];
}

int RField::ShapeOf(int column, int row) const {
  const int8_t* e = elements[column][row];
  const int n = (e[0] != 0) + (e[1] != 0) + (e[2] != 0) + (e[3] != 0);
  switch (n) {
    case 0: return kShapeEmpty;
    case 1: return kShapeOne;
    case 2: return (e[0] && e[2]) || (e[1] && e[3]) ? kShapeOpposite : kShapeAdjacent;
    case 3: return kShapeThree;
    default: return kShapeFull;
  }
}

bool RField::AnyMarked() const {
  for (const auto& column : elements)
    for (const auto& element : column)
      for (int8_t v : element)
        if (v < 0) return true;
  return false;
}

void RField::Clear() {
  for (auto& column : elements)
    for (auto& element : column)
      for (int8_t& v : element) v = 0;
}

void RField::Rotate(int column, int row, bool clockwise) {
  int8_t* e = elements[column][row];
  if (clockwise) {
    const int8_t left = e[kLeft];
    e[kLeft] = e[kBottom], e[kBottom] = e[kRight], e[kRight] = e[kTop], e[kTop] = left;
  } else {
    const int8_t top = e[kTop];
    e[kTop] = e[kRight], e[kRight] = e[kBottom], e[kBottom] = e[kLeft], e[kLeft] = top;
  }
}

void RField::New() {
  Clear();
  visibleElems = 0;
  rightColumn = kColumns - 1;
  shiftColumn = -1;
  hintColumn = hintRow = -1;
  const int lines = std::clamp(rules.startLineCount, 0, kRows);
  const int first = isRow ? 0 : kRows - lines;
  const int last = isRow ? 0 : kRows - 1;
  for (int c = 0; c < kColumns; ++c)
    for (int r = first; r <= last; ++r) fillElement(c, r);
}

void RField::fillElement(int column, int row) {
  const int colours = std::clamp(rules.colorCount, 1, kMaxColour);
  int8_t best[kSegments] = {};
  int bestLargest = 1 << 30;
  for (int draw = 0; draw < kMaxDraws; ++draw) {
    int8_t* e = elements[column][row];
    for (int s = 0; s < kSegments; ++s) e[s] = static_cast<int8_t>(zb::random() % colours + 1);
    int largest = 0;
    for (int s = 0; s < kSegments; ++s) largest = std::max(largest, GroupSize(column, row, s));
    if (largest <= rules.maxNear) return;
    if (largest < bestLargest) bestLargest = largest, std::copy(e, e + kSegments, best);
  }
  std::copy(best, best + kSegments, elements[column][row]);
}

int RField::ColoursInPlay() const {
  bool seen[kMaxColour + 1] = {};
  for (int c = 0; c < kColumns; ++c)
    for (int r = 0; r < kRows; ++r)
      for (int s = 0; s < kSegments; ++s) seen[std::clamp(Colour(c, r, s), 0, kMaxColour)] = true;
  int n = 0;
  for (int k = 1; k <= kMaxColour; ++k) n += seen[k];
  return n;
}

bool RField::TopRowOccupied() const {
  for (int c = 0; c <= rightColumn; ++c)
    if (!IsEmpty(c, 0)) return true;
  return false;
}

int RField::TopmostRow() const {
  for (int r = 0; r < kRows; ++r)
    for (int c = 0; c < kColumns; ++c)
      if (!IsEmpty(c, r)) return r;
  return kRows;
}

void RField::PushRow(const RField& preview) {
  for (int c = 0; c <= rightColumn; ++c) {
    for (int r = 0; r + 1 < kRows; ++r) std::copy_n(elements[c][r + 1], kSegments, elements[c][r]);
    for (int s = 0; s < kSegments; ++s) elements[c][kRows - 1][s] = static_cast<int8_t>(preview.Colour(c, 0, s));
  }
}

bool RField::RevealNext(int mainRightColumn) {
  if (visibleElems >= mainRightColumn * kSegments + kSegments) return false;
  ++visibleElems;
  return true;
}

}  // namespace SpaceGyrex
