#include "sinkra/CGridOps.h"

namespace SpaceSinkra {

std::vector<int> CGridOps::flood(int width, int height, int start,
                                 const std::function<bool(int)>& enter) {
  std::vector<int> entered;
  if (width <= 0 || height <= 0 || start < 0 || start >= width * height) return entered;
  // Explicit stack of (cell, next direction) so deep groups cannot overflow
  // the call stack while keeping the recursive visiting order.
  static const int dx[4] = {1, 0, -1, 0};
  static const int dy[4] = {0, 1, 0, -1};
  std::vector<std::pair<int, int>> stack;
  entered.push_back(start);
  stack.push_back({start, 0});
  while (!stack.empty()) {
    auto& top = stack.back();
    if (top.second >= 4) {
      stack.pop_back();
      continue;
    }
    int dir = top.second++;
    int x = top.first % width + dx[dir];
    int y = top.first / width + dy[dir];
    if (x < 0 || y < 0 || x >= width || y >= height) continue;
    int next = x + y * width;
    if (!enter(next)) continue;
    entered.push_back(next);
    stack.push_back({next, 0});
  }
  return entered;
}

std::vector<CGridOps::Move> CGridOps::planFall(int width, int height,
                                               const std::function<bool(int)>& occupied,
                                               const std::function<bool(int)>& skip) {
  std::vector<Move> moves;
  std::vector<bool> sent(static_cast<size_t>(width > 0 && height > 0 ? width * height : 0), false);
  for (int i = width * height - 1; i >= 0; --i) {
    if (occupied(i)) continue;
    int d = 1;
    int b = i - width;
    while (b >= 0 && !occupied(b)) {
      ++d;
      b -= width;
    }
    if (b < 0) continue;  // no block above within the column
    for (; b >= 0; b -= width) {
      if (!occupied(b)) {
        ++d;
        continue;
      }
      if (sent[b] || skip(b)) continue;
      sent[b] = true;
      moves.push_back({b, b + d * width});
    }
  }
  return moves;
}

namespace {
bool bottomOccupied(int width, int height, int col, const std::function<bool(int)>& occupied) {
  return occupied(col + (height - 1) * width);
}

// Walks columns from `from` by `step` while inside 0..width-1 and finds the
// first run of empty columns (by their bottom cell) that has a filled column
// after it; none when the empty columns reach the edge.
CGridOps::Closing firstGap(int width, int height, int from, int step,
                           const std::function<bool(int)>& occupied) {
  CGridOps::Closing c;
  int empty = 0;
  for (int col = from; col >= 0 && col < width && height > 0; col += step) {
    if (!bottomOccupied(width, height, col, occupied)) {
      if (empty++ == 0) c.first = col;
    } else if (empty > 0) {
      c.shift = empty;
      return c;
    }
  }
  return CGridOps::Closing{};
}
}  // namespace

CGridOps::Closing CGridOps::closeLeft(int width, int height,
                                      const std::function<bool(int)>& occupied) {
  return firstGap(width, height, 0, 1, occupied);
}

CGridOps::Closing CGridOps::closeRightPart(int width, int height,
                                           const std::function<bool(int)>& occupied) {
  return firstGap(width, height, width - width / 2, 1, occupied);
}

CGridOps::Closing CGridOps::closeLeftPart(int width, int height,
                                          const std::function<bool(int)>& occupied) {
  return firstGap(width, height, width - width / 2 - 1, -1, occupied);
}

std::vector<CGridOps::Move> CGridOps::shiftColumns(int width, int height, int fromCol, int toCol,
                                                   int dx,
                                                   const std::function<bool(int)>& occupied) {
  std::vector<Move> moves;
  if (fromCol < 0) fromCol = 0;
  if (toCol >= width) toCol = width - 1;
  for (int row = 0; row < height; ++row) {
    for (int col = fromCol; col <= toCol; ++col) {
      int cell = col + row * width;
      int target = col + dx;
      if (!occupied(cell) || target < 0 || target >= width) continue;
      moves.push_back({cell, cell + dx});
    }
  }
  return moves;
}

}  // namespace SpaceSinkra
