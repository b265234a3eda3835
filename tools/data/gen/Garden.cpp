#include "tools/data/gen/Garden.h"

#include <algorithm>
#include <cmath>

#include "tools/data/gen/Palette.h"
#include "tools/data/gen/Shading.h"

namespace zbgen {
namespace {
constexpr float kPi = 3.14159265f;

float stoneDistance(const GardenStone& s, float x, float y) {
  float u = (x - s.x) / s.rx, v = (y - s.y) / s.ry;
  return (std::sqrt(u * u + v * v) - 1) * std::min(s.rx, s.ry);
}
}  // namespace

void rakedSand(Canvas& c, const std::vector<GardenStone>& stones, float period, uint32_t seed, float x0, float y0) {
  Rgba sand = rgb(kSand), shade = rgb(kSandDark);
  const float rings = 4.0f;  // rings raked around each stone; straight lines meet the outermost
  for (int y = 0; y < c.height(); ++y)
    for (int x = 0; x < c.width(); ++x) {
      float px = x + x0 + 0.5f, py = y + y0 + 0.5f;
      float phase = py / period + 0.12f * std::sin(px * 0.01f);
      float nearest = 1e9f;
      for (const GardenStone& s : stones) nearest = std::min(nearest, stoneDistance(s, px, py));
      if (nearest < rings * period) phase = std::max(0.0f, nearest) / period;
      float ridge = 0.5f + 0.5f * std::cos(phase * 2 * kPi);
      // The outermost ring is a deeper groove where the straight lines end.
      float groove = std::fabs(nearest - rings * period) < 1.2f ? 0.25f : 0.0f;
      float grain = fbm(px * 0.35f, py * 0.35f, seed, 2);
      float speck = hash01(static_cast<uint32_t>(px), static_cast<uint32_t>(py), seed) > 0.985f ? 0.08f : 0;
      Rgba col = mix(shade, sand, 0.35f + 0.55f * ridge - groove);
      col = scaled(col, 0.93f + 0.12f * grain - speck);
      // The lit side of each ridge catches a little more light.
      float lit = std::sin(phase * 2 * kPi);
      col = lit > 0 ? lighten(col, 0.07f * lit) : col;
      c.blend(x, y, col, 1);
    }
}

void paintStones(Canvas& c, const std::vector<GardenStone>& stones) {
  for (const GardenStone& s : stones) {
    Sdf shape = [s](float x, float y) {
      return stoneDistance(s, x, y) + (noise2(x * 0.05f, y * 0.05f, s.seed) - 0.5f) * s.rx * 0.12f;
    };
    Box box = around(s.x, s.y, s.rx * 1.3f, s.ry * 1.4f, 8);
    // Shadow and moss are drawn on a small canvas around the stone.
    int bw = box.x1 - box.x0, bh = box.y1 - box.y0;
    Sdf local = [shape, box](float x, float y) { return shape(x + box.x0, y + box.y0); };
    Canvas under(bw, bh);
    dropShadow(under, local, s.rx * 0.12f, s.ry * 0.18f, static_cast<int>(s.rx * 0.12f) + 2, 0.45f);
    Canvas moss(bw, bh);
    moss.fill(offset(local, 3.0f), [s, box](float x, float y) {
      return scaled(rgb(kMoss), 0.75f + 0.5f * noise2((x + box.x0) * 0.3f, (y + box.y0) * 0.3f, s.seed + 5));
    });
    moss.blur(1);
    under.draw(moss, 0, 0, 0.55f);
    c.draw(under, box.x0, box.y0);
    Shader tex = [s](float x, float y) {
      float n = fbm(x * 0.06f, y * 0.06f, s.seed, 4);
      return mix(rgb(kStoneDark), rgb(0x9A958C), 0.25f + 0.6f * n);
    };
    c.fill(shape, dome(shape, tex, s.x - s.rx * 0.1f, s.y - s.ry * 0.1f, std::min(s.rx, s.ry) * 0.9f, 0.5f), box);
  }
}

Shader darkWood(uint32_t seed) {
  return [seed](float x, float y) {
    float warp = fbm(x * 0.02f, y * 0.004f, seed, 3) * 8.0f;
    float ring = std::fmod(x * 0.09f + warp + 50.0f, 1.0f);
    float line = smoothstep(0.6f, 0.95f, ring);
    float fine = noise2(x * 1.2f, y * 0.05f, seed + 3);
    return scaled(mix(rgb(kWood), rgb(kWoodDark), 0.55f), 1.0f - 0.22f * line + 0.1f * (fine - 0.5f));
  };
}

void woodFrame(Canvas& c, float width, uint32_t seed) {
  float W = static_cast<float>(c.width()), H = static_cast<float>(c.height());
  Sdf outer = roundRect(0, 0, W, H, 2);
  Sdf inner = roundRect(width, width, W - width, H - width, 3);
  Sdf frame = subtract(outer, inner);
  // Grain follows each side of the frame.
  Shader wood = [seed, W, H, width](float x, float y) {
    bool vertical = (x < width || x > W - width) && !(y < width || y > H - width);
    return vertical ? darkWood(seed)(y, x) : darkWood(seed + 1)(x, y);
  };
  c.fill(frame, pillow(frame, wood, width * 0.6f, 0.55f));
  // The sand sits below the frame: a thin shadow along the inner edge.
  Canvas sh(c.width(), c.height());
  sh.fill(subtract(offset(inner, 0), offset(inner, -4)), Rgba{0.1f, 0.06f, 0.02f, 0.45f});
  sh.blur(2);
  sh.clipTo(inner);
  c.draw(sh, 0, 0);
}

void warmLight(Canvas& c, float strength) {
  float W = static_cast<float>(c.width()), H = static_cast<float>(c.height());
  c.wash([=](float x, float y) {
    float d = std::hypot((x - W * 0.25f) / W, (y - H * 0.2f) / H);
    return Rgba{1.0f, 0.85f, 0.6f, clamp01(0.16f - d * 0.2f) * strength};
  });
  c.wash([=](float x, float y) {
    float d = std::hypot((x - W * 0.5f) / W, (y - H * 0.5f) / H);
    return Rgba{0.15f, 0.08f, 0.03f, smoothstep(0.4f, 0.8f, d) * 0.35f * strength};
  });
}

void bambooPole(Canvas& c, float x, float y0, float y1, float radius, float segment) {
  Sdf pole = roundRect(x - radius, y0, x + radius, y1, radius * 0.3f);
  Shader cane = [=](float px, float) {
    float u = (px - x) / radius;  // -1..1 across the cane
    float light = 0.75f + 0.35f * std::cos((u + 0.35f) * 1.4f);
    return scaled(rgb(kBamboo), light);
  };
  c.fill(pole, cane);
  for (float y = y0 + segment * 0.6f; y < y1 - 4; y += segment) {
    c.fill(roundRect(x - radius - 1, y - 2, x + radius + 1, y + 2, 2), scaled(rgb(kBamboo), 0.62f));
    c.fill(roundRect(x - radius, y + 1, x + radius, y + 2.5f, 1), Rgba{1, 1, 0.85f, 0.35f});
  }
}

void bambooLeaf(Canvas& c, float x, float y, float length, float angle, float opacity) {
  float ca = std::cos(angle), sa = std::sin(angle), w = length * 0.16f;
  Sdf leaf = [=](float px, float py) {
    float u = (px - x) * ca + (py - y) * sa, v = -(px - x) * sa + (py - y) * ca;
    float t = u / length;
    if (t < 0 || t > 1) return std::hypot(std::max(-u, u - length), v);
    float half = w * std::sin(t * kPi) * (1.0f - 0.35f * t);
    return std::fabs(v) - half;
  };
  Shader shade = [=](float px, float py) {
    float v = -(px - x) * sa + (py - y) * ca;
    return scaled(rgb(0x5E8A36), v < 0 ? 1.05f : 0.82f);
  };
  Canvas l(c.width(), c.height());
  l.fill(leaf, shade);
  c.draw(l, 0, 0, opacity);
}

void enso(Canvas& c, float cx, float cy, float r, float width, const Rgba& ink) {
  Shader brush = [=](float x, float y) {
    float a = std::atan2(y - cy, x - cx);  // -pi..pi; the stroke starts at the lower left
    float t = std::fmod(a + kPi * 1.25f + 2 * kPi, 2 * kPi) / (2 * kPi);
    float dry = noise2(t * 60, std::hypot(x - cx, y - cy) * 0.5f, 7);
    Rgba col = ink;
    col.a *= clamp01(1.2f - t * 0.5f) * (t > 0.8f ? clamp01(1 - (dry - 0.35f) * 3 * (t - 0.8f) * 5) : 1.0f);
    return col;
  };
  Sdf stroke = [=](float x, float y) {
    float a = std::atan2(y - cy, x - cx);
    float t = std::fmod(a + kPi * 1.25f + 2 * kPi, 2 * kPi) / (2 * kPi);
    float w = width * (0.55f + 0.45f * std::sin(t * kPi * 0.95f + 0.2f));
    float d = std::fabs(std::hypot(x - cx, y - cy) - r * (1 + 0.03f * std::sin(t * 9))) - w / 2;
    return t > 0.93f ? d + (t - 0.93f) * 400 : d;  // the gap where the brush lifts
  };
  c.fill(stroke, brush);
}

}  // namespace zbgen
