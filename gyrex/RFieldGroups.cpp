// Groups, destruction, falling and sliding of the Gyrex field.
#include <algorithm>

#include "gyrex/RField.h"

namespace SpaceGyrex {
namespace {

constexpr int8_t kFallMark = static_cast<int8_t>(0x80);

struct SegmentRef {
  int8_t c, r, s;
};

// Across an element edge: top meets the bottom of the element above, right
// the left of the element to the right, and so on.
constexpr int kDc[kSegments] = {0, 1, 0, -1};
constexpr int kDr[kSegments] = {-1, 0, 1, 0};

bool inside(int c, int r) { return c >= 0 && c < kColumns && r >= 0 && r < kRows; }

}  // namespace

// Flood over touching segments of value `from`, turning each into `to`;
// count_ counts them.
void RField::flood(int column, int row, int segment) {
  const int8_t from = static_cast<int8_t>(countColour_), to = static_cast<int8_t>(-countColour_);
  SegmentRef stack[kElementsTextLength];
  int top = 0;
  auto visit = [&](int c, int r, int s) {
    if (!inside(c, r) || elements[c][r][s] != from) return;
    elements[c][r][s] = to;
    ++count_;
    stack[top++] = {static_cast<int8_t>(c), static_cast<int8_t>(r), static_cast<int8_t>(s)};
  };
  visit(column, row, segment);
  while (top > 0) {
    const SegmentRef at = stack[--top];
    visit(at.c, at.r, (at.s + 1) % kSegments);
    visit(at.c, at.r, (at.s + 3) % kSegments);
    visit(at.c + kDc[at.s], at.r + kDr[at.s], (at.s + 2) % kSegments);
  }
}

int RField::GroupSize(int column, int row, int segment) {
  const int v = elements[column][row][segment];
  if (v <= 0) return 0;
  countColour_ = v;
  count_ = 0;
  flood(column, row, segment);
  const int size = count_;
  // Re-flood from the start to undo exactly this group, leaving any other
  // marks of the colour alone.
  countColour_ = -v;
  count_ = 0;
  flood(column, row, segment);
  countColour_ = v;
  return size;
}

int RField::DestroyPassElement(int column, int row) {
  int total = 0;
  for (int s = 0; s < kSegments; ++s) {
    const int v = elements[column][row][s];
    if (v <= 0) continue;
    countColour_ = v;
    count_ = 0;
    flood(column, row, s);
    const int size = count_;
    if (size < rules.colorDestroy) {
      countColour_ = -v;
      count_ = 0;
      flood(column, row, s);
    } else {
      total += size;
    }
  }
  passTotal_ += total;
  return total;
}

int RField::DestroyPassAll() {
  passTotal_ = 0;
  int total = 0;
  for (int c = 0; c < kColumns; ++c)
    for (int r = 0; r < kRows; ++r) total += DestroyPassElement(c, r);
  return total;
}

int RField::DestroyPassBottomRow() {
  passTotal_ = 0;
  int total = 0;
  for (int c = 0; c < kColumns; ++c) total += DestroyPassElement(c, kRows - 1);
  return total;
}

int RField::ClearMarked() {
  int n = 0;
  for (auto& col : elements)
    for (auto& element : col)
      for (int8_t& v : element)
        if (v < 0) v = 0, ++n;
  return n;
}

// Whether the element fits into the (unmarked) element below it.
bool RField::elementFits(int column, int row) const {
  const int8_t* e = elements[column][row];
  const int8_t* below = elements[column][row + 1];
  if (below[kTop] || IsEmpty(column, row)) return false;
  for (int s : {kRight, kBottom, kLeft})
    if (e[s] && below[s]) return false;
  return (!below[kRight] && !below[kBottom] && !below[kLeft]) || !e[kBottom];
}

bool RField::MarkFall() {
  bool any = false;
  for (int c = 0; c < kColumns; ++c) {
    bool falling = false;
    for (int r = kRows - 2; r >= 0; --r) {
      falling = falling || elementFits(c, r);
      if (!falling) continue;
      for (int8_t& v : elements[c][r])
        if (v > 0) v = static_cast<int8_t>(v | kFallMark), any = true;
    }
  }
  // Loose side segments slip past their lower neighbour's empty sides.
  for (int c = 0; c < kColumns; ++c)
    for (int r = kRows - 2; r >= 0; --r) {
      int8_t* e = elements[c][r];
      const int8_t* below = elements[c][r + 1];
      if (e[kTop] || e[kBottom] || below[kTop] > 0) continue;
      for (int s : {kRight, kLeft})
        if (e[s] > 0 && below[s] <= 0) e[s] = static_cast<int8_t>(e[s] | kFallMark), any = true;
    }
  return any;
}

void RField::ApplyFall() {
  for (int c = 0; c < kColumns; ++c)
    for (int r = kRows - 2; r >= 0; --r)
      for (int s = 0; s < kSegments; ++s) {
        int8_t& v = elements[c][r][s];
        if (v >= 0) continue;
        elements[c][r + 1][s] = static_cast<int8_t>(Colour(c, r, s));
        v = 0;
      }
}

bool RField::canMoveLeft(int column, int row) const {
  if (IsEmpty(column, row)) return true;
  const int8_t* e = elements[column][row];
  const int8_t* left = elements[column - 1][row];
  if (left[kRight]) return false;
  for (int s : {kTop, kBottom, kLeft})
    if (e[s] && left[s]) return false;
  return (!left[kTop] && !left[kBottom] && !left[kLeft]) || !e[kLeft];
}

bool RField::columnCanSlide(int column) const {
  for (int r = 0; r < kRows; ++r)
    if (!canMoveLeft(column, r)) return false;
  return true;
}

bool RField::FindSlide() {
  int last = 0;
  for (int c = 1; c <= rightColumn; ++c)
    if (!IsEmpty(c, kRows - 1)) last = c;
  rightColumn = last;
  shiftColumn = -1;
  for (int c = 1; c <= rightColumn; ++c)
    if (!IsEmpty(c, kRows - 1) && columnCanSlide(c)) shiftColumn = c;
  return shiftColumn >= 0;
}

void RField::ApplySlide() {
  if (shiftColumn < 1) return;
  for (int c = shiftColumn; c <= rightColumn; ++c)
    for (int r = 0; r < kRows; ++r)
      for (int s = 0; s < kSegments; ++s) {
        int8_t& v = elements[c][r][s];
        if (!v) continue;
        elements[c - 1][r][s] = v;
        v = 0;
      }
  rightColumn = std::max(0, rightColumn - 1);
  shiftColumn = -1;
}

}  // namespace SpaceGyrex
