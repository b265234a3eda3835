#include "tools/data/gen/Canvas.h"

#include <algorithm>
#include <cmath>

namespace zbgen {

Rgba rgb(uint32_t hex, float a) {
  return {((hex >> 16) & 255) / 255.0f, ((hex >> 8) & 255) / 255.0f, (hex & 255) / 255.0f, a};
}

Rgba mix(const Rgba& p, const Rgba& q, float t) {
  return {p.r + (q.r - p.r) * t, p.g + (q.g - p.g) * t, p.b + (q.b - p.b) * t, p.a + (q.a - p.a) * t};
}

Rgba scaled(const Rgba& c, float k) {
  return {clamp01(c.r * k), clamp01(c.g * k), clamp01(c.b * k), c.a};
}

Rgba lighten(const Rgba& c, float t) { return mix(c, {1, 1, 1, c.a}, t); }

float clamp01(float v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }

float smoothstep(float e0, float e1, float x) {
  float t = clamp01((x - e0) / (e1 - e0));
  return t * t * (3 - 2 * t);
}

Canvas::Canvas(int width, int height, Rgba fill)
    : w_(width), h_(height), px_(static_cast<size_t>(width) * height, fill) {}

void Canvas::blend(int x, int y, const Rgba& c, float coverage) {
  if (x < 0 || y < 0 || x >= w_ || y >= h_) return;
  float sa = clamp01(c.a * coverage);
  if (sa <= 0) return;
  Rgba& d = at(x, y);
  float oa = sa + d.a * (1 - sa);
  if (oa <= 1e-6f) {
    d = {0, 0, 0, 0};
    return;
  }
  float k = d.a * (1 - sa);
  d.r = (c.r * sa + d.r * k) / oa;
  d.g = (c.g * sa + d.g * k) / oa;
  d.b = (c.b * sa + d.b * k) / oa;
  d.a = oa;
}

Box around(float cx, float cy, float rx, float ry, float margin) {
  return {static_cast<int>(std::floor(cx - rx - margin)), static_cast<int>(std::floor(cy - ry - margin)),
          static_cast<int>(std::ceil(cx + rx + margin)) + 1, static_cast<int>(std::ceil(cy + ry + margin)) + 1};
}

void Canvas::fill(const Sdf& sdf, const Shader& shade) { fill(sdf, shade, Box{0, 0, w_, h_}); }

void Canvas::fill(const Sdf& sdf, const Shader& shade, const Box& box) {
  for (int y = std::max(0, box.y0); y < std::min(h_, box.y1); ++y)
    for (int x = std::max(0, box.x0); x < std::min(w_, box.x1); ++x) {
      float px = x + 0.5f, py = y + 0.5f;
      float cov = clamp01(0.5f - sdf(px, py));
      if (cov > 0) blend(x, y, shade(px, py), cov);
    }
}

void Canvas::fill(const Sdf& sdf, const Rgba& colour) { fill(sdf, solid(colour)); }

void Canvas::fillSampled(const Inside& inside, const Shader& shade, int n) {
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x) {
      int hits = 0;
      for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i)
          if (inside(x + (i + 0.5f) / n, y + (j + 0.5f) / n)) ++hits;
      if (hits) blend(x, y, shade(x + 0.5f, y + 0.5f), static_cast<float>(hits) / (n * n));
    }
}

void Canvas::wash(const Shader& shade, float opacity) {
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x) blend(x, y, shade(x + 0.5f, y + 0.5f), opacity);
}

void Canvas::draw(const Canvas& src, int x, int y, float opacity) {
  for (int j = 0; j < src.height(); ++j)
    for (int i = 0; i < src.width(); ++i) blend(x + i, y + j, src.at(i, j), opacity);
}

void Canvas::drawMask(const std::vector<uint8_t>& mask, int mw, int mh, int x, int y, const Shader& shade) {
  for (int j = 0; j < mh; ++j)
    for (int i = 0; i < mw; ++i) {
      uint8_t m = mask[static_cast<size_t>(j) * mw + i];
      if (m) blend(x + i, y + j, shade(x + i + 0.5f, y + j + 0.5f), m / 255.0f);
    }
}

void Canvas::clipTo(const Sdf& sdf) {
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x) at(x, y).a *= clamp01(0.5f - sdf(x + 0.5f, y + 0.5f));
}

namespace {
// One pass of a box blur along rows (horizontal) or columns, on premultiplied values.
void boxPass(std::vector<Rgba>& p, int w, int h, int r, bool horizontal) {
  std::vector<Rgba> out(p.size());
  int n = horizontal ? w : h, lines = horizontal ? h : w;
  for (int l = 0; l < lines; ++l)
    for (int i = 0; i < n; ++i) {
      Rgba s{0, 0, 0, 0};
      for (int k = -r; k <= r; ++k) {
        int j = std::clamp(i + k, 0, n - 1);
        const Rgba& q = horizontal ? p[static_cast<size_t>(l) * w + j] : p[static_cast<size_t>(j) * w + l];
        s.r += q.r, s.g += q.g, s.b += q.b, s.a += q.a;
      }
      float inv = 1.0f / (2 * r + 1);
      Rgba& o = horizontal ? out[static_cast<size_t>(l) * w + i] : out[static_cast<size_t>(i) * w + l];
      o = {s.r * inv, s.g * inv, s.b * inv, s.a * inv};
    }
  p.swap(out);
}
}  // namespace

void Canvas::blur(int radius) {
  if (radius <= 0) return;
  for (Rgba& c : px_) c.r *= c.a, c.g *= c.a, c.b *= c.a;
  boxPass(px_, w_, h_, radius, true);
  boxPass(px_, w_, h_, radius, false);
  for (Rgba& c : px_)
    if (c.a > 1e-6f) c.r /= c.a, c.g /= c.a, c.b /= c.a;
}

Canvas Canvas::silhouette(const Rgba& colour) const {
  Canvas out(w_, h_);
  for (size_t i = 0; i < px_.size(); ++i) out.px_[i] = {colour.r, colour.g, colour.b, px_[i].a * colour.a};
  return out;
}

Canvas Canvas::resampled(int width, int height) const {
  Canvas out(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      // Box average over the source footprint of the target pixel.
      float sx0 = x * static_cast<float>(w_) / width, sx1 = (x + 1) * static_cast<float>(w_) / width;
      float sy0 = y * static_cast<float>(h_) / height, sy1 = (y + 1) * static_cast<float>(h_) / height;
      Rgba sum{0, 0, 0, 0};
      float wsum = 0;
      for (int j = static_cast<int>(sy0); j < std::min(h_, static_cast<int>(std::ceil(sy1))); ++j)
        for (int i = static_cast<int>(sx0); i < std::min(w_, static_cast<int>(std::ceil(sx1))); ++i) {
          float wx = std::min<float>(i + 1, sx1) - std::max<float>(i, sx0);
          float wy = std::min<float>(j + 1, sy1) - std::max<float>(j, sy0);
          float wgt = std::max(0.0f, wx) * std::max(0.0f, wy);
          const Rgba& p = at(i, j);
          sum.r += p.r * p.a * wgt, sum.g += p.g * p.a * wgt, sum.b += p.b * p.a * wgt, sum.a += p.a * wgt;
          wsum += wgt;
        }
      if (wsum > 0 && sum.a > 1e-6f)
        out.at(x, y) = {sum.r / sum.a, sum.g / sum.a, sum.b / sum.a, sum.a / wsum};
    }
  return out;
}

Sdf circle(float cx, float cy, float r) {
  return [=](float x, float y) { return std::hypot(x - cx, y - cy) - r; };
}

Sdf roundRect(float x0, float y0, float x1, float y1, float radius) {
  float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2, hx = (x1 - x0) / 2 - radius, hy = (y1 - y0) / 2 - radius;
  return [=](float x, float y) {
    float qx = std::fabs(x - cx) - hx, qy = std::fabs(y - cy) - hy;
    float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
    return outside + std::min(std::max(qx, qy), 0.0f) - radius;
  };
}

Sdf polygon(std::vector<float> v) {
  return [v](float x, float y) {
    size_t n = v.size() / 2;
    float d = 1e30f, s = 1;
    for (size_t i = 0, j = n - 1; i < n; j = i, ++i) {
      float ex = v[2 * j] - v[2 * i], ey = v[2 * j + 1] - v[2 * i + 1];
      float wx = x - v[2 * i], wy = y - v[2 * i + 1];
      float t = std::clamp((wx * ex + wy * ey) / (ex * ex + ey * ey), 0.0f, 1.0f);
      float bx = wx - ex * t, by = wy - ey * t;
      d = std::min(d, bx * bx + by * by);
      bool c1 = y >= v[2 * i + 1], c2 = y < v[2 * j + 1], c3 = ex * wy > ey * wx;
      if ((c1 && c2 && c3) || (!c1 && !c2 && !c3)) s = -s;
    }
    return s * std::sqrt(d);
  };
}

Sdf capsule(float ax, float ay, float bx, float by, float r) {
  return [=](float x, float y) {
    float px = x - ax, py = y - ay, ex = bx - ax, ey = by - ay;
    float len2 = ex * ex + ey * ey;
    float t = len2 > 0 ? std::clamp((px * ex + py * ey) / len2, 0.0f, 1.0f) : 0.0f;
    return std::hypot(px - ex * t, py - ey * t) - r;
  };
}

Sdf ring(float cx, float cy, float r, float thickness) {
  return [=](float x, float y) { return std::fabs(std::hypot(x - cx, y - cy) - r) - thickness / 2; };
}

Sdf unite(Sdf a, Sdf b) {
  return [a, b](float x, float y) { return std::min(a(x, y), b(x, y)); };
}
Sdf subtract(Sdf a, Sdf b) {
  return [a, b](float x, float y) { return std::max(a(x, y), -b(x, y)); };
}
Sdf intersect(Sdf a, Sdf b) {
  return [a, b](float x, float y) { return std::max(a(x, y), b(x, y)); };
}
Sdf offset(Sdf a, float by) {
  return [a, by](float x, float y) { return a(x, y) - by; };
}

Sdf star(float cx, float cy, float outer, float inner, int points, float rotation) {
  std::vector<float> v;
  for (int i = 0; i < points * 2; ++i) {
    float ang = rotation + static_cast<float>(M_PI) * i / points - static_cast<float>(M_PI) / 2;
    float r = (i % 2) ? inner : outer;
    v.push_back(cx + r * std::cos(ang));
    v.push_back(cy + r * std::sin(ang));
  }
  return polygon(v);
}

Shader solid(const Rgba& c) {
  return [c](float, float) { return c; };
}

Shader linear(float x0, float y0, const Rgba& c0, float x1, float y1, const Rgba& c1) {
  float dx = x1 - x0, dy = y1 - y0, len2 = dx * dx + dy * dy;
  return [=](float x, float y) { return mix(c0, c1, clamp01(((x - x0) * dx + (y - y0) * dy) / len2)); };
}

Shader radial(float cx, float cy, float r, const Rgba& inner, const Rgba& outer) {
  return [=](float x, float y) { return mix(inner, outer, clamp01(std::hypot(x - cx, y - cy) / r)); };
}

float hash01(uint32_t a, uint32_t b, uint32_t c) {
  uint32_t h = a * 0x9E3779B1u ^ (b + 0x7F4A7C15u) * 0x85EBCA77u ^ (c + 0x165667B1u) * 0xC2B2AE3Du;
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  h ^= h >> 12;
  h *= 0x297A2D39u;
  h ^= h >> 15;
  return (h & 0xFFFFFF) / 16777216.0f;
}

float noise2(float x, float y, uint32_t seed) {
  float fx = std::floor(x), fy = std::floor(y);
  int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
  float tx = x - fx, ty = y - fy;
  tx = tx * tx * (3 - 2 * tx);
  ty = ty * ty * (3 - 2 * ty);
  auto h = [&](int a, int b) { return hash01(static_cast<uint32_t>(a), static_cast<uint32_t>(b), seed); };
  float top = h(ix, iy) + (h(ix + 1, iy) - h(ix, iy)) * tx;
  float bottom = h(ix, iy + 1) + (h(ix + 1, iy + 1) - h(ix, iy + 1)) * tx;
  return top + (bottom - top) * ty;
}

float fbm(float x, float y, uint32_t seed, int octaves) {
  float sum = 0, amp = 0.5f, norm = 0;
  for (int i = 0; i < octaves; ++i) {
    sum += amp * noise2(x, y, seed + i * 101);
    norm += amp;
    x *= 2.03f, y *= 2.03f, amp *= 0.5f;
  }
  return sum / norm;
}

}  // namespace zbgen
