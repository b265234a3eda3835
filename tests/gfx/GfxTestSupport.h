#pragma once
#include <cstdint>

#include "gfx/OBitmap.h"

namespace gfxtest {

// A w x h private image filled with one colour.
inline OBitmap solid(int w, int h, uint32_t colour) {
  OBitmap b;
  b.create(w, h, colour);
  return b;
}

// Deterministic pseudo-random pixels (and alpha when asked), with about a
// third of the pixels set to `key` so colour-key runs are exercised.
inline OBitmap noise(int w, int h, uint32_t seed, uint32_t key, bool alpha) {
  OBitmap b;
  b.create(w, h, 0);
  if (alpha) b.createAlpha(0);
  uint32_t s = seed;
  auto next = [&s] { return s = s * 1664525u + 1013904223u; };
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const uint32_t r = next();
      b.setPixel(x, y, (r >> 8) % 3 == 0 ? key : (next() >> 8) & 0xFFFFFF);
      if (alpha) {
        const uint32_t a = next() >> 24;
        b.alphaPlane()[y * w + x] = uint8_t(a < 80 ? 0 : (a > 180 ? 255 : a));
      }
    }
  return b;
}

}  // namespace gfxtest
