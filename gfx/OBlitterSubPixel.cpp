#include <algorithm>
#include <cmath>

#include "gfx/OBlitter.h"

namespace {

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
// the fractions; colours are mixed in proportion to their opacity. The
// weights are truncated to 1/256 steps and the remainder goes to the pixel
// under the destination, so whole positions give exactly what draw gives and
// a fully transparent neighbourhood leaves the destination untouched.
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
  const uint8_t* plane = src.alphaPlane();
  const size_t sw = size_t(src.width());
  for (int j = 0; j < a.h; ++j) {
    const int sy = a.sy + j;
    // Samples above or left of the image count as fully transparent (with
    // opacity weighting their colour never matters). Samples outside a
    // source rectangle but inside the image are real, so drawing a picture
    // in parts gives the same pixels as drawing it whole.
    const bool hasUp = sy - 1 >= 0;
    const uint8_t* alphaRow = plane + size_t(sy) * sw;
    const uint8_t* alphaUp = hasUp ? alphaRow - sw : nullptr;
    const uint8_t* colourRow = srcRow(src, sy);
    const uint8_t* colourUp = hasUp ? srcRow(src, sy - 1) : colourRow;
    uint8_t* d = dstRow(dst, a.dy + j) + a.dx * 3;
    for (int i = 0; i < a.w; ++i, d += 3) {
      const int sx = a.sx + i;
      const bool hasLeft = sx - 1 >= 0;
      const int left = hasLeft ? sx - 1 : sx;
      const int a00 = alphaRow[sx], a10 = hasLeft ? alphaRow[sx - 1] : 255;
      const int a01 = hasUp ? alphaUp[sx] : 255, a11 = hasUp && hasLeft ? alphaUp[sx - 1] : 255;
      if ((a00 & a10 & a01 & a11) == 255) continue;
      const int alpha = (w00 * a00 + w10 * a10 + w01 * a01 + w11 * a11) >> 8;
      const int p = alpha + level;
      if (p >= 255) continue;
      const uint8_t *c00 = colourRow + sx * 3, *c10 = colourRow + left * 3, *c01 = colourUp + sx * 3,
                    *c11 = colourUp + left * 3;
      if ((a00 | a10 | a01 | a11) == 0) {
        // All four opaque: the opacity weights cancel to the plain weights.
        for (int c = 0; c < 3; ++c) {
          const int v = (w00 * c00[c] + w10 * c10[c] + w01 * c01[c] + w11 * c11[c]) >> 8;
          d[c] = p == 0 ? uint8_t(v) : uint8_t(v + p * (d[c] - v) / 256);
        }
        continue;
      }
      const int o00 = w00 * (255 - a00), o10 = w10 * (255 - a10), o01 = w01 * (255 - a01), o11 = w11 * (255 - a11);
      const int total = o00 + o10 + o01 + o11;
      if (total == 0) continue;
      for (int c = 0; c < 3; ++c) {
        const int v = (o00 * c00[c] + o10 * c10[c] + o01 * c01[c] + o11 * c11[c]) / total;
        d[c] = p == 0 ? uint8_t(v) : uint8_t(v + p * (d[c] - v) / 256);
      }
    }
  }
}
