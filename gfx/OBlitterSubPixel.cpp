#include <algorithm>
#include <cmath>

#include "gfx/OBlitter.h"

namespace {

struct Sample {
  const uint8_t* colour;
  int alpha;
};

// Converts a position to its whole-pixel part and the fraction used for the
// weights: negative values are first reduced by 1, then truncated.
bool splitPosition(double v, long long& whole, double& fraction) {
  if (!std::isfinite(v) || std::fabs(v) > 1e9) return false;
  if (v < 0) v -= 1;
  const double t = std::trunc(v);
  whole = static_cast<long long>(t);
  fraction = std::fabs(v - t);
  return true;
}

}  // namespace

// Each destination pixel mixes the source pixel under it with its left, upper
// and upper-left neighbours, so the picture appears shifted right and down by
// the fractions; colours are mixed in proportion to their opacity. Samples outside the drawn part of the source count as fully
// transparent (their colour is that of the nearest pixel inside). The weights
// are truncated to 1/256 steps and the remainder goes to the pixel under the
// destination, so whole positions give exactly what draw gives and a fully
// transparent neighbourhood leaves the destination untouched.
void OBlitter::drawSubPixel(OBitmap& dst, const OBitmap& src, double x, double y, const ORect* srcRect) {
  if (!src.hasAlpha()) return;
  long long ix, iy;
  double fx, fy;
  if (!splitPosition(x, ix, fx) || !splitPosition(y, iy, fy)) return;
  OBlitArea a;
  if (!clip(dst, src, ix, iy, srcRect, a)) return;
  dst.markPixelsChanged();
  const int level = std::max(src.blendLevel, 0);
  const int w10 = int(fx * (1 - fy) * 256), w01 = int((1 - fx) * fy * 256), w11 = int(fx * fy * 256);
  const int w00 = 256 - w10 - w01 - w11;
  const ORect& r = a.source;
  const uint8_t* plane = src.alphaPlane();
  const int sw = src.width();
  auto sample = [&](int sx, int sy) {
    const bool inside = sx >= r.left && sy >= r.top;
    const int cx = std::max(sx, r.left), cy = std::max(sy, r.top);
    return Sample{srcRow(src, cy) + cx * 3, inside ? plane[size_t(sy) * size_t(sw) + size_t(sx)] : 255};
  };
  for (int j = 0; j < a.h; ++j) {
    const int sy = a.sy + j;
    uint8_t* d = dstRow(dst, a.dy + j) + a.dx * 3;
    for (int i = 0; i < a.w; ++i, d += 3) {
      const int sx = a.sx + i;
      const Sample s00 = sample(sx, sy), s10 = sample(sx - 1, sy), s01 = sample(sx, sy - 1),
                   s11 = sample(sx - 1, sy - 1);
      const int alpha = (w00 * s00.alpha + w10 * s10.alpha + w01 * s01.alpha + w11 * s11.alpha) >> 8;
      const int p = alpha + level;
      if (p >= 255) continue;
      // Colours are weighted by opacity so transparent neighbours do not
      // darken the edge.
      const int o00 = w00 * (255 - s00.alpha), o10 = w10 * (255 - s10.alpha), o01 = w01 * (255 - s01.alpha),
                o11 = w11 * (255 - s11.alpha);
      const int total = o00 + o10 + o01 + o11;
      if (total == 0) continue;
      for (int c = 0; c < 3; ++c) {
        const int v = (o00 * s00.colour[c] + o10 * s10.colour[c] + o01 * s01.colour[c] + o11 * s11.colour[c]) / total;
        d[c] = p == 0 ? uint8_t(v) : uint8_t(v + p * (d[c] - v) / 256);
      }
    }
  }
}
