#pragma once
#include <string>

// The zoom steps of the window, in percent of the content size: the
// quarter steps 125, 150 and 175 between 1x and 2x (where common desktops
// of 1366 to 1920 pixels fall), whole multiples above.
namespace zb {

inline constexpr int kMinZoomPercent = 100;
inline constexpr int kMaxZoomPercent = 1600;

// True for 100, 125, 150, 175 and the whole multiples 200 .. 1600.
constexpr bool isZoomStep(int percent) {
  if (percent < kMinZoomPercent || percent > kMaxZoomPercent) return false;
  return percent < 200 ? percent % 25 == 0 : percent % 100 == 0;
}

// The step after `percent` going up (direction > 0) or down; the ends stay.
constexpr int nextZoomStep(int percent, int direction) {
  if (direction > 0) {
    if (percent >= kMaxZoomPercent) return kMaxZoomPercent;
    if (percent < 175) return (percent / 25 + 1) * 25 < kMinZoomPercent ? kMinZoomPercent : (percent / 25 + 1) * 25;
    return (percent / 100 + 1) * 100;
  }
  if (percent <= kMinZoomPercent) return kMinZoomPercent;
  if (percent <= 200) return (percent - 1) / 25 * 25;
  return (percent - 1) / 100 * 100;
}

// The largest step at which content of `width` x `height` fits in
// `roomWidth` x `roomHeight` (same units); 100 when even that does not fit.
constexpr int largestZoomStep(int width, int height, double roomWidth, double roomHeight) {
  int best = kMinZoomPercent;
  if (width <= 0 || height <= 0) return best;
  for (int p = kMinZoomPercent; p <= kMaxZoomPercent; p = nextZoomStep(p, 1)) {
    if (width * p > roomWidth * 100 + 1e-6 || height * p > roomHeight * 100 + 1e-6) break;
    best = p;
    if (p == kMaxZoomPercent) break;
  }
  return best;
}

// "150 %" for 150.
inline std::string zoomText(int percent) { return std::to_string(percent) + " %"; }

}  // namespace zb
