#pragma once
#include <vector>

#include "gfx/OBitmap.h"

// Where the keyboard focus goes among the targets of a screen. Targets are
// rectangles; the order is reading order: rows from the top (targets whose
// vertical centres lie close together share a row), left to right within
// a row. Pure geometry, so the order of any screen can be checked alone.
namespace zb {

enum class FocusStep { Next, Previous, Up, Down };

// Vertical centres closer than this share a row.
constexpr int kFocusRowTolerance = 20;

// The indices of `rects` in reading order.
std::vector<int> readingOrder(const std::vector<ORect>& rects);

// The index the focus moves to from `current` (an index into `rects`, or -1
// for none). Next and Previous walk the reading order and wrap. Up and Down
// go to the row above or below (wrapping) and take the target there whose
// horizontal centre is nearest. From no target every step lands on the first.
int stepFocus(const std::vector<ORect>& rects, int current, FocusStep step);

}  // namespace zb
