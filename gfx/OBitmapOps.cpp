#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "gfx/OBitmap.h"

namespace {

inline const uint8_t* at(const OBitmap& img, int x, int y) { return img.rowAddress(y) + x * 3; }

}  // namespace

bool OBitmap::alphaFromPair(OBitmap& a, const OBitmap& b) {
  if (!a.valid() || !b.valid() || a.width() != b.width() || a.height() != b.height()) return false;
  a.createAlpha(255);
  uint8_t* plane = a.alphaPlane();
  const int w = a.width();
  for (int y = 0; y < a.height(); ++y) {
    uint8_t* pa = a.rowAddress(y);
    const uint8_t* pb = b.rowAddress(y);
    for (int x = 0; x < w; ++x, pa += 3, pb += 3) {
      int h = 255;
      for (int c = 0; c < 3; ++c) h = std::min(h, std::abs(int(pa[c]) - int(pb[c])));
      plane[size_t(y) * size_t(w) + size_t(x)] = uint8_t(h);
      if (h == 0 || h == 255) continue;
      // Undo the darkening by the black background. Rounding in the two
      // drawings can push the result past 255, so it is clamped instead of
      // wrapping to a dark value.
      for (int c = 0; c < 3; ++c) pa[c] = uint8_t(std::min(255, pa[c] * 255 / (255 - h)));
    }
  }
  return true;
}

bool OBitmap::copyImage(OBitmap& image, const OBitmap& src) {
  if (!src.valid()) {
    image.create(0, 0);
    return false;
  }
  if (!image.create(src.width(), src.height())) return false;
  if (src.hasAlpha()) {
    image.data_->alpha = src.data_->alpha;
    image.markPixelsChanged();
  }
  if (src.blendLevel != 0) return true;
  const bool keyed = src.colourKey >= 0 && src.colourKey <= 0xFFFFFF;
  for (int y = 0; y < src.height(); ++y) {
    const uint8_t* s = src.rowAddress(y);
    uint8_t* d = image.rowAddress(y);
    if (!keyed) {
      std::memcpy(d, s, size_t(src.width()) * 3);
      continue;
    }
    for (int x = 0; x < src.width(); ++x) {
      const uint32_t c = uint32_t(s[x * 3]) | uint32_t(s[x * 3 + 1]) << 8 | uint32_t(s[x * 3 + 2]) << 16;
      if (c != uint32_t(src.colourKey)) std::memcpy(d + x * 3, s + x * 3, 3);
    }
  }
  return true;
}

bool OBitmap::smooth(OBitmap& image, const OBitmap& src) {
  if (!src.valid()) return false;
  if (!image.create(src.width() + 1, src.height() + 1, src.fillColour)) return false;
  for (int y = 1; y < src.height(); ++y) {
    uint8_t* d = image.rowAddress(y);
    for (int x = 1; x < src.width(); ++x) {
      const uint8_t *p00 = at(src, x - 1, y - 1), *p10 = at(src, x, y - 1), *p01 = at(src, x - 1, y),
                    *p11 = at(src, x, y);
      for (int c = 0; c < 3; ++c) d[x * 3 + c] = uint8_t((p00[c] + p10[c] + p01[c] + p11[c]) >> 2);
    }
  }
  return true;
}
