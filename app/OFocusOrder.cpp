#include "app/OFocusOrder.h"

#include <algorithm>
#include <cstdlib>

namespace zb {
namespace {

int centreX(const ORect& r) { return (r.left + r.right) / 2; }
int centreY(const ORect& r) { return (r.top + r.bottom) / 2; }

// The reading order cut into rows.
std::vector<std::vector<int>> rowsOf(const std::vector<ORect>& rects) {
  std::vector<int> byY(rects.size());
  for (size_t i = 0; i < rects.size(); ++i) byY[i] = int(i);
  std::stable_sort(byY.begin(), byY.end(),
                   [&](int a, int b) { return centreY(rects[size_t(a)]) < centreY(rects[size_t(b)]); });
  std::vector<std::vector<int>> rows;
  int rowTop = 0;
  for (int i : byY) {
    int cy = centreY(rects[size_t(i)]);
    if (rows.empty() || cy - rowTop > kFocusRowTolerance) {
      rows.emplace_back();
      rowTop = cy;
    }
    rows.back().push_back(i);
  }
  for (auto& row : rows)
    std::stable_sort(row.begin(), row.end(),
                     [&](int a, int b) { return centreX(rects[size_t(a)]) < centreX(rects[size_t(b)]); });
  return rows;
}

}  // namespace

std::vector<int> readingOrder(const std::vector<ORect>& rects) {
  std::vector<int> order;
  for (const auto& row : rowsOf(rects)) order.insert(order.end(), row.begin(), row.end());
  return order;
}

int stepFocus(const std::vector<ORect>& rects, int current, FocusStep step) {
  if (rects.empty()) return -1;
  std::vector<std::vector<int>> rows = rowsOf(rects);
  if (current < 0 || current >= int(rects.size())) return rows.front().front();
  size_t row = 0, col = 0;
  for (size_t r = 0; r < rows.size(); ++r)
    for (size_t c = 0; c < rows[r].size(); ++c)
      if (rows[r][c] == current) row = r, col = c;
  if (step == FocusStep::Next || step == FocusStep::Previous) {
    std::vector<int> order = readingOrder(rects);
    auto at = std::find(order.begin(), order.end(), current) - order.begin();
    int n = int(order.size());
    int next = int(at) + (step == FocusStep::Next ? 1 : n - 1);
    return order[size_t(next % n)];
  }
  size_t target = step == FocusStep::Down ? (row + 1) % rows.size() : (row + rows.size() - 1) % rows.size();
  int x = centreX(rects[size_t(rows[row][col])]);
  int best = rows[target].front();
  for (int i : rows[target])
    if (std::abs(centreX(rects[size_t(i)]) - x) < std::abs(centreX(rects[size_t(best)]) - x)) best = i;
  return best;
}

}  // namespace zb
