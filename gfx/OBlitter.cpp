#include "gfx/OBlitter.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Mode 1: D = S + P * (D - S) / 256, the division truncating toward zero.
inline uint8_t blendTrunc(int s, int d, int p) { return uint8_t(s + p * (d - s) / 256); }

// Mode 3 divides the product as an unsigned 32-bit number: for a negative
// product that is floor division, i.e. an arithmetic shift, kept to 8 bits.
inline uint8_t blendFloor(int s, int d, int level) { return uint8_t(s + ((level * (d - s)) >> 8)); }

inline uint32_t readPixel(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16; }

inline bool keyMatches(int key, uint32_t colour) { return key >= 0 && uint32_t(key) == colour; }

OBlitCache& cacheOf(const OBitmapData& data) {
  auto& cache = const_cast<OBitmapData&>(data).cache;
  if (!cache) cache = std::make_unique<OBlitCache>();
  return *cache;
}

void buildKeySpans(const OBitmap& image, OKeySpans& out) {
  const int w = image.width(), h = image.height();
  out.spans.clear();
  out.packed.clear();
  out.rowFirst.assign(size_t(h) + 1, 0);
  for (int y = 0; y < h; ++y) {
    out.rowFirst[y] = int32_t(out.spans.size());
    const uint8_t* row = image.rowAddress(y);
    int x = 0;
    while (x < w) {
      while (x < w && keyMatches(out.key, readPixel(row + x * 3))) ++x;
      const int start = x;
      while (x < w && !keyMatches(out.key, readPixel(row + x * 3))) ++x;
      if (x > start) out.spans.push_back({start, x - start, 0});
    }
  }
  out.rowFirst[h] = int32_t(out.spans.size());
  // Packed pixels go bottom-up, the order the whole-width blit walks them.
  for (int y = h - 1; y >= 0; --y) {
    const uint8_t* row = image.rowAddress(y);
    for (int32_t k = out.rowFirst[y]; k < out.rowFirst[y + 1]; ++k) {
      OSpan& span = out.spans[size_t(k)];
      span.packed = int32_t(out.packed.size());
      out.packed.insert(out.packed.end(), row + span.start * 3, row + (span.start + span.length) * 3);
    }
  }
}

void buildAlphaRuns(const OBitmap& image, OAlphaRuns& out) {
  const int w = image.width(), h = image.height();
  const uint8_t* plane = image.alphaPlane();
  out.runs.clear();
  out.rowFirst.assign(size_t(h) + 1, 0);
  for (int y = 0; y < h; ++y) {
    out.rowFirst[y] = int32_t(out.runs.size());
    const uint8_t* a = plane + size_t(y) * size_t(w);
    int x = 0;
    while (x < w) {
      if (a[x] == 255) {
        ++x;
        continue;
      }
      const int start = x;
      const bool opaque = a[x] == 0;
      while (x < w && a[x] != 255 && (a[x] == 0) == opaque) ++x;
      out.runs.push_back({start, x - start, opaque ? 1 : 0});
    }
  }
  out.rowFirst[h] = int32_t(out.runs.size());
}

// Calls fn(sourceColumn, destinationColumn, length) for every part of the
// row's runs that falls inside [a.sx, a.sx + a.w).
template <typename Run, typename Fn>
inline void forRunsInRow(const Run* first, const Run* last, const OBlitArea& a, Fn&& fn) {
  const int lo = a.sx, hi = a.sx + a.w;
  for (const Run* r = first; r != last; ++r) {
    if (r->start >= hi) break;
    const int s = std::max<int>(r->start, lo);
    const int e = std::min<int>(r->start + r->length, hi);
    if (s < e) fn(*r, s, a.dx + (s - lo), e - s);
  }
}

}  // namespace

uint8_t* OBlitter::dstRow(OBitmap& dst, int r) {
  return dst.data_->section->row(r) + size_t(dst.data_->originX) * 3;
}

const uint8_t* OBlitter::srcRow(const OBitmap& src, int r) { return src.rowAddress(r); }

bool OBlitter::clip(const OBitmap& dst, const OBitmap& src, long long x, long long y, const ORect* srcRect,
                    OBlitArea& area) {
  if (!dst.valid() || !src.valid()) return false;
  const long long dw = dst.width(), dh = dst.height();
  if (x >= dw || y >= dh) return false;
  long long l = 0, t = 0, r = src.width(), b = src.height();
  if (srcRect) {
    l = std::max<long long>(srcRect->left, 0);
    t = std::max<long long>(srcRect->top, 0);
    r = std::min<long long>(srcRect->right, r);
    b = std::min<long long>(srcRect->bottom, b);
  }
  if (l >= r || t >= b) return false;
  area.source = ORect{int(l), int(t), int(r), int(b)};
  // Move the clipped source to (x, y) and clip it to the destination.
  long long dx = x, dy = y;
  if (dx < 0) {
    l -= dx;
    dx = 0;
  }
  if (dy < 0) {
    t -= dy;
    dy = 0;
  }
  r = std::min(r, l + (dw - dx));
  b = std::min(b, t + (dh - dy));
  if (l >= r || t >= b) return false;
  area.sx = int(l);
  area.sy = int(t);
  area.dx = int(dx);
  area.dy = int(dy);
  area.w = int(r - l);
  area.h = int(b - t);
  return true;
}

const OKeySpans* OBlitter::keySpans(const OBitmap& image) {
  if (!image.valid()) return nullptr;
  OBlitCache& cache = cacheOf(*image.data());
  const uint32_t version = image.data()->version;
  for (OKeySpans& e : cache.keyed)
    if (e.built && e.version == version && e.key == image.colourKey) return &e;
  OKeySpans& e = cache.keyed[cache.nextKeyed];
  cache.nextKeyed ^= 1;
  e.key = image.colourKey;
  e.version = version;
  buildKeySpans(image, e);
  e.built = true;
  return &e;
}

const OAlphaRuns* OBlitter::alphaRuns(const OBitmap& image) {
  if (!image.valid() || !image.hasAlpha()) return nullptr;
  OAlphaRuns& e = cacheOf(*image.data()).alpha;
  const uint32_t version = image.data()->version;
  if (e.built && e.version == version) return &e;
  e.version = version;
  buildAlphaRuns(image, e);
  e.built = true;
  return &e;
}

namespace {

// Blends n pixels with one weight p (0 < p < 255) for all of them.
inline void blendSpan(uint8_t* dp, const uint8_t* sp, int n, int p) {
  for (int i = 0; i < n * 3; ++i) dp[i] = blendTrunc(sp[i], dp[i], p);
}

// Blends n pixels by their own alpha; the runs that get here hold only
// alpha 1..254, so with no extra level every pixel blends.
inline void blendByAlpha(uint8_t* dp, const uint8_t* sp, const uint8_t* alpha, int n) {
  for (int i = 0; i < n; ++i, sp += 3, dp += 3) {
    const int p = alpha[i];
    dp[0] = blendTrunc(sp[0], dp[0], p);
    dp[1] = blendTrunc(sp[1], dp[1], p);
    dp[2] = blendTrunc(sp[2], dp[2], p);
  }
}

// The general case: P = alpha + level may reach 255 (left alone).
inline void blendByAlphaAndLevel(uint8_t* dp, const uint8_t* sp, const uint8_t* alpha, int n, int level) {
  for (int i = 0; i < n; ++i, sp += 3, dp += 3) {
    const int p = alpha[i] + level;
    if (p < 255) {
      dp[0] = blendTrunc(sp[0], dp[0], p);
      dp[1] = blendTrunc(sp[1], dp[1], p);
      dp[2] = blendTrunc(sp[2], dp[2], p);
    }
  }
}

}  // namespace

void OBlitter::drawAlpha(OBitmap& dst, const OBitmap& src, const OBlitArea& a) {
  const int level = std::max(src.blendLevel, 0);
  if (level >= 255) return;  // every P = alpha + level reaches 255
  const OAlphaRuns* runs = alphaRuns(src);
  const int sw = src.width();
  // Rows step downwards in memory; walking them by stride keeps the
  // per-row cost to a few additions, which matters for the many short,
  // clipped blits of a dirty-area redraw.
  const ptrdiff_t sStep = src.data_->section->rowStride, dStep = dst.data_->section->rowStride;
  const bool sameStore = src.data_->section == dst.data_->section;
  const uint8_t* s = srcRow(src, a.sy);
  uint8_t* d = dstRow(dst, a.dy) + a.dx * 3;
  const uint8_t* alphaRow = src.alphaPlane() + size_t(a.sy) * size_t(sw);
  const OAlphaRun* all = runs->runs.data();
  const int32_t* rowFirst = runs->rowFirst.data() + a.sy;
  const int lo = a.sx, hi = a.sx + a.w;
  for (int j = 0; j < a.h; ++j, s -= sStep, d -= dStep, alphaRow += sw) {
    for (const OAlphaRun *r = all + rowFirst[j], *e = all + rowFirst[j + 1]; r != e; ++r) {
      if (r->start >= hi) break;
      const int b = std::max<int>(r->start, lo), f = std::min<int>(r->start + r->length, hi);
      if (b >= f) continue;
      const uint8_t* sp = s + b * 3;
      uint8_t* dp = d + (b - lo) * 3;
      const int n = f - b;
      if (r->opaque) {
        if (level != 0)
          blendSpan(dp, sp, n, level);
        else if (sameStore)
          std::memmove(dp, sp, size_t(n) * 3);
        else
          std::memcpy(dp, sp, size_t(n) * 3);
      } else if (level == 0) {
        blendByAlpha(dp, sp, alphaRow + b, n);
      } else {
        blendByAlphaAndLevel(dp, sp, alphaRow + b, n, level);
      }
    }
  }
}

void OBlitter::drawKeyed(OBitmap& dst, const OBitmap& src, const OBlitArea& a) {
  // Rows step downwards in memory; overlapping images of one section need
  // memmove, everything else the cheaper memcpy.
  const uint8_t* s = srcRow(src, a.sy) + a.sx * 3;
  uint8_t* d = dstRow(dst, a.dy) + a.dx * 3;
  const ptrdiff_t sStep = src.data_->section->rowStride, dStep = dst.data_->section->rowStride;
  const bool sameStore = src.data_->section == dst.data_->section;
  const size_t rowBytes = size_t(a.w) * 3;
  if (src.colourKey < 0 || src.colourKey > 0xFFFFFF) {
    for (int j = 0; j < a.h; ++j, s -= sStep, d -= dStep) {
      if (sameStore)
        std::memmove(d, s, rowBytes);
      else
        std::memcpy(d, s, rowBytes);
    }
    return;
  }
  const OKeySpans* spans = keySpans(src);
  const int32_t* rowFirst = spans->rowFirst.data() + a.sy;
  const OSpan* all = spans->spans.data();
  if (a.sx == 0 && a.w == src.width() && !sameStore) {
    const uint8_t* packed = spans->packed.data();
    // Unclipped across: every run is copied whole. Going up the image walks
    // memory forwards, which the prefetcher likes best.
    s -= sStep * (a.h - 1);
    d -= dStep * (a.h - 1);
    for (int j = a.h - 1; j >= 0; --j, s += sStep, d += dStep)
      for (const OSpan *r = all + rowFirst[j], *e = all + rowFirst[j + 1]; r != e; ++r)
        std::memcpy(d + r->start * 3, packed + r->packed, size_t(r->length) * 3);
    return;
  }
  const int lo = a.sx, hi = a.sx + a.w;
  for (int j = 0; j < a.h; ++j, s -= sStep, d -= dStep) {
    for (const OSpan *r = all + rowFirst[j], *e = all + rowFirst[j + 1]; r != e; ++r) {
      if (r->start >= hi) break;
      const int b = std::max<int>(r->start, lo), f = std::min<int>(r->start + r->length, hi);
      if (b < f) std::memmove(d + (b - lo) * 3, s + (b - lo) * 3, size_t(f - b) * 3);
    }
  }
}

void OBlitter::drawTranslucent(OBitmap& dst, const OBitmap& src, const OBlitArea& a) {
  const int level = src.blendLevel;
  const OKeySpans* spans = keySpans(src);
  for (int j = 0; j < a.h; ++j) {
    const int sy = a.sy + j;
    const uint8_t* s = srcRow(src, sy);
    uint8_t* d = dstRow(dst, a.dy + j);
    const OSpan* first = spans->spans.data() + spans->rowFirst[sy];
    const OSpan* last = spans->spans.data() + spans->rowFirst[sy + 1];
    forRunsInRow(first, last, a, [&](const OSpan&, int sx, int dx, int n) {
      const uint8_t* sp = s + sx * 3;
      uint8_t* dp = d + dx * 3;
      for (int i = 0; i < n * 3; ++i) dp[i] = blendFloor(sp[i], dp[i], level);
    });
  }
}

void OBlitter::drawSilhouette(OBitmap& dst, const OBitmap& src, const OBlitArea& a) {
  const uint32_t c = dst.fillColour;
  const uint8_t b = c & 0xFF, g = (c >> 8) & 0xFF, r = (c >> 16) & 0xFF;
  const OKeySpans* spans = keySpans(src);
  for (int j = 0; j < a.h; ++j) {
    const int sy = a.sy + j;
    uint8_t* d = dstRow(dst, a.dy + j);
    const OSpan* first = spans->spans.data() + spans->rowFirst[sy];
    const OSpan* last = spans->spans.data() + spans->rowFirst[sy + 1];
    forRunsInRow(first, last, a, [&](const OSpan&, int, int dx, int n) {
      uint8_t* dp = d + dx * 3;
      for (int i = 0; i < n; ++i, dp += 3) dp[0] = b, dp[1] = g, dp[2] = r;
    });
  }
}

void OBitmap::draw(OBitmap& dst, const OBitmap& src, int x, int y, const ORect* srcRect) {
  OBlitArea a;
  if (!OBlitter::clip(dst, src, x, y, srcRect, a)) return;
  dst.markPixelsChanged();
  if (src.hasAlpha())
    OBlitter::drawAlpha(dst, src, a);
  else if (src.blendLevel <= 0)
    OBlitter::drawKeyed(dst, src, a);
  else if (src.blendLevel < 256)
    OBlitter::drawTranslucent(dst, src, a);
  else
    OBlitter::drawSilhouette(dst, src, a);
}

void OBitmap::drawSubPixel(OBitmap& dst, const OBitmap& src, double x, double y, const ORect* srcRect) {
  OBlitter::drawSubPixel(dst, src, x, y, srcRect);
}
