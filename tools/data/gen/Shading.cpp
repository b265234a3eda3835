#include "tools/data/gen/Shading.h"

#include <cmath>

namespace zbgen {
namespace {
// Direction towards the light in screen space (up and left), and its height.
constexpr float kLx = -0.55f, kLy = -0.7f, kLz = 0.45f;

Rgba lit(const Rgba& c, float shade) {
  // shade > 0 brightens towards a warm white, < 0 darkens.
  if (shade >= 0) return mix(c, {1.0f, 0.98f, 0.92f, c.a}, std::min(0.85f, shade));
  return scaled(c, 1.0f + std::max(-0.75f, shade));
}
}  // namespace

void gradient(const Sdf& s, float x, float y, float& gx, float& gy) {
  const float e = 0.5f;
  gx = s(x + e, y) - s(x - e, y);
  gy = s(x, y + e) - s(x, y - e);
  float len = std::hypot(gx, gy);
  if (len > 1e-6f) gx /= len, gy /= len;
}

Shader pillow(Sdf shape, Shader face, float rim, float strength) {
  return [=](float x, float y) {
    Rgba c = face(x, y);
    float d = shape(x, y);
    if (d < -rim) return c;
    float slope = 1.0f - clamp01(-d / rim);  // 1 at the edge
    float gx, gy;
    gradient(shape, x, y, gx, gy);
    // Outward normal tilted by the slope; compare with the light.
    float nx = gx * slope, ny = gy * slope, nz = std::sqrt(std::max(0.0f, 1 - slope * slope));
    float l = nx * kLx + ny * kLy + nz * kLz - kLz;
    return lit(c, l * strength * 2.0f);
  };
}

Shader dome(Sdf shape, Shader face, float cx, float cy, float depth, float strength) {
  return [=](float x, float y) {
    Rgba c = face(x, y);
    float d = std::min(0.0f, shape(x, y));
    float h = 1.0f - clamp01(-d / depth);  // 1 at the edge, 0 at the crown
    float slope = std::sqrt(std::max(0.0f, 1 - (1 - h) * (1 - h)));
    // Facing away from the centre avoids creases along the shape's middle.
    float gx = x - cx, gy = y - cy, len = std::hypot(gx, gy);
    if (len > 1e-4f) gx /= len, gy /= len;
    float nx = gx * slope, ny = gy * slope, nz = std::sqrt(std::max(0.0f, 1 - slope * slope));
    float l = nx * kLx + ny * kLy + nz * kLz - kLz * 0.8f;
    return lit(c, l * strength * 2.0f);
  };
}

void dropShadow(Canvas& c, const Sdf& shape, float dx, float dy, int blur, float opacity) {
  Canvas s(c.width(), c.height());
  s.fill([&](float x, float y) { return shape(x - dx, y - dy); }, Rgba{0.05f, 0.03f, 0.02f, opacity});
  s.blur(blur);
  c.draw(s, 0, 0);
}

void gloss(Canvas& c, const Sdf& clip, float cx, float cy, float rx, float ry, float opacity) {
  Canvas g(c.width(), c.height());
  Sdf ell = [=](float x, float y) {
    float u = (x - cx) / rx, v = (y - cy) / ry;
    return (std::sqrt(u * u + v * v) - 1) * std::min(rx, ry);
  };
  g.fill(intersect(ell, offset(clip, -1.5f)), [=](float, float y) {
    return Rgba{1, 1, 1, opacity * clamp01(1.0f - (y - (cy - ry)) / (2 * ry)) * 1.2f};
  });
  c.draw(g, 0, 0);
}

void engrave(Canvas& c, const Sdf& shape, const Rgba& fill, float depth) {
  c.fill([&](float x, float y) { return shape(x + depth, y + depth); }, Rgba{1, 1, 0.95f, 0.35f});
  c.fill([&](float x, float y) { return shape(x - depth, y - depth); }, Rgba{0, 0, 0, 0.45f});
  c.fill(shape, fill);
}

void emboss(Canvas& c, const Sdf& shape, const Shader& fill, float depth) {
  Canvas s(c.width(), c.height());
  s.fill([&](float x, float y) { return shape(x - depth, y - depth); }, Rgba{0, 0, 0, 0.5f});
  s.blur(1);
  c.draw(s, 0, 0);
  c.fill(shape, pillow(shape, fill, 2.5f, 0.5f));
}

}  // namespace zbgen
