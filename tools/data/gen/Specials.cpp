// Special blocks: a dark slate tile with a gold rim and a gold symbol that
// says what the block does; colour removers show a vortex in their colour
// with that colour's emblem.
#include <cmath>

#include "tools/data/gen/Blocks.h"
#include "tools/data/gen/Palette.h"
#include "tools/data/gen/Shading.h"

namespace zbgen {
namespace {

Sdf arrowHead(float tipX, float tipY, float dirX, float dirY, float len, float half) {
  float bx = tipX - dirX * len, by = tipY - dirY * len;
  float px = -dirY, py = dirX;
  return polygon({tipX, tipY, bx + px * half, by + py * half, bx - px * half, by - py * half});
}

// A double-headed arrow between two points.
Sdf doubleArrow(float ax, float ay, float bx, float by, float w) {
  float dx = bx - ax, dy = by - ay, len = std::hypot(dx, dy);
  dx /= len, dy /= len;
  Sdf shaft = capsule(ax + dx * w * 2, ay + dy * w * 2, bx - dx * w * 2, by - dy * w * 2, w * 0.5f);
  return unite(shaft, unite(arrowHead(bx, by, dx, dy, w * 2.6f, w * 1.5f), arrowHead(ax, ay, -dx, -dy, w * 2.6f, w * 1.5f)));
}

// An arc of a circle from angle a0 to a1 (radians) with an arrow head at a1.
Sdf arcArrow(float cx, float cy, float r, float a0, float a1, float w) {
  Sdf arc = [=](float x, float y) {
    float a = std::atan2(y - cy, x - cx);
    float mid = (a0 + a1) / 2, half = std::fabs(a1 - a0) / 2;
    float da = std::remainder(a - mid, 2 * static_cast<float>(M_PI));
    float radial = std::fabs(std::hypot(x - cx, y - cy) - r) - w / 2;
    if (std::fabs(da) <= half) return radial;
    float ex = cx + r * std::cos(da > 0 ? a1 : a0), ey = cy + r * std::sin(da > 0 ? a1 : a0);
    return std::hypot(x - ex, y - ey) - w / 2;
  };
  float tx = cx + r * std::cos(a1), ty = cy + r * std::sin(a1);
  float dir = a1 > a0 ? 1.0f : -1.0f;
  float dx = -std::sin(a1) * dir, dy = std::cos(a1) * dir;
  return unite(arc, arrowHead(tx + dx * w * 1.4f, ty + dy * w * 1.4f, dx, dy, w * 2.6f, w * 1.6f));
}

Canvas slate(float s) {
  Canvas c(static_cast<int>(s), static_cast<int>(s));
  Sdf body = roundRect(1, 1, s - 1, s - 1, s * 0.16f);
  Shader tex = [=](float x, float y) {
    return scaled(mix(rgb(0x3A3A40), rgb(0x25252B), y / s), 0.9f + 0.2f * fbm(x * 0.1f, y * 0.1f, 41, 3));
  };
  c.fill(body, pillow(body, tex, s * 0.1f, 0.5f));
  Sdf rim = subtract(roundRect(s * 0.08f, s * 0.08f, s * 0.92f, s * 0.92f, s * 0.11f),
                     roundRect(s * 0.11f, s * 0.11f, s * 0.89f, s * 0.89f, s * 0.09f));
  c.fill(rim, linear(0, 0, rgb(0xF5D27A), 0, s, rgb(0xA8782A)));
  return c;
}

Shader goldFace(float s) { return linear(0, s * 0.2f, rgb(0xFBE3A0), 0, s * 0.8f, rgb(0xC8902E)); }

Sdf symbol(int kind, float s) {
  float c = s / 2, w = s * 0.075f;
  switch (kind) {
    case 0: return doubleArrow(s * 0.18f, c, s * 0.82f, c, w);  // row
    case 1: return doubleArrow(c, s * 0.18f, c, s * 0.82f, w);  // column
    case 2:                                                   // lone blocks: one dot apart from a ring
      return unite(circle(c, c, s * 0.11f), ring(c, c, s * 0.27f, w * 0.6f));
    case 3:  // flip: two turning arrows
      return unite(arcArrow(c, c, s * 0.24f, -2.6f, -0.3f, w), arcArrow(c, c, s * 0.24f, 0.55f, 2.85f, w));
    case 4: {  // bomb with a fuse
      Sdf ball = circle(c - s * 0.04f, c + s * 0.06f, s * 0.23f);
      Sdf neck = roundRect(c + s * 0.05f, c - s * 0.24f, c + s * 0.17f, c - s * 0.1f, 1.5f);
      Sdf fuse = capsule(c + s * 0.12f, c - s * 0.22f, c + s * 0.24f, c - s * 0.32f, w * 0.35f);
      return unite(ball, unite(neck, fuse));
    }
    case 5: {  // neighbour groups: four arrows outwards from a dot
      Sdf sh = circle(c, c, s * 0.08f);
      const float dirs[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
      for (const auto& d : dirs)
        sh = unite(sh, unite(capsule(c + d[0] * s * 0.14f, c + d[1] * s * 0.14f, c + d[0] * s * 0.26f,
                                     c + d[1] * s * 0.26f, w * 0.4f),
                             arrowHead(c + d[0] * s * 0.38f, c + d[1] * s * 0.38f, d[0], d[1], w * 2.2f, w * 1.3f)));
      return sh;
    }
    case 6: return star(c, c, s * 0.32f, s * 0.13f, 8, 0);  // every group
    default: return circle(c, c, 0);
  }
}

}  // namespace

Canvas specialPicture(int kind, int size) {
  float s = static_cast<float>(size);
  Canvas c = slate(s);
  if (kind == 7) {  // recolour: two swatches and an arrow between them
    Sdf a = circle(s * 0.36f, s * 0.4f, s * 0.16f), b = circle(s * 0.64f, s * 0.62f, s * 0.16f);
    emboss(c, a, solid(blockColour(0)));
    emboss(c, b, solid(blockColour(1)));
    Sdf arrow = arcArrow(s / 2, s / 2, s * 0.3f, -2.9f, -1.0f, s * 0.05f);
    emboss(c, arrow, goldFace(s), 1.2f);
  } else {
    emboss(c, symbol(kind, s), goldFace(s));
  }
  if (kind == 4) {  // the fuse's spark
    Canvas glow(c.width(), c.height());
    glow.fill(star(s * 0.76f, s * 0.2f, s * 0.11f, s * 0.04f, 6, 0.3f), rgb(0xFFF2B0));
    glow.blur(1);
    c.draw(glow, 0, 0);
    c.fill(circle(s * 0.76f, s * 0.2f, s * 0.03f), Rgba{1, 1, 1, 1});
  }
  return c;
}

Canvas colourRemoverPicture(int colour, int size) {
  float s = static_cast<float>(size);
  Canvas c = slate(s);
  Rgba col = blockColour(colour);
  Sdf disc = circle(s / 2, s / 2, s * 0.33f);
  // A vortex: spiral bands of the colour swirling into the middle.
  Shader swirl = [=](float x, float y) {
    float dx = x - s / 2, dy = y - s / 2, r = std::hypot(dx, dy) / (s * 0.33f);
    float band = 0.5f + 0.5f * std::sin(std::atan2(dy, dx) * 3 + r * 9.0f);
    return mix(scaled(col, 0.7f), lighten(col, 0.3f), band * (0.4f + 0.6f * r));
  };
  c.fill(disc, dome(disc, swirl, s / 2, s / 2, s * 0.2f, 0.4f));
  c.fill(ring(s / 2, s / 2, s * 0.33f, 1.6f), rgb(0xE8C070));
  Sdf em = emblemShape(kEmblem[colour], s / 2, s / 2, s * 0.15f);
  c.fill(offset(em, 1.6f), Rgba{0.1f, 0.08f, 0.06f, 0.8f});
  c.fill(em, Rgba{1, 0.98f, 0.92f, 1});
  return c;
}

Canvas chameleonMarkPicture(int size) {
  // A ring of dashes around the face, light and dark in turn: it reads on
  // every colour and skin, leaves the emblem free and looks restless, as a
  // block that keeps changing colour should.
  float s = static_cast<float>(size), c = s / 2;
  Canvas mark(size, size);
  const int dashes = 12;
  const float kPi = 3.14159265f;
  for (int k = 0; k < dashes; ++k) {
    float a = (k + 0.5f) * 2 * kPi / dashes, r = s * 0.36f;
    float half = kPi / dashes * 0.55f;
    Sdf dash = capsule(c + r * std::cos(a - half), c + r * std::sin(a - half), c + r * std::cos(a + half),
                       c + r * std::sin(a + half), s * 0.045f);
    mark.fill(offset(dash, s / 64.0f), Rgba{0.05f, 0.04f, 0.03f, 0.9f});
    mark.fill(dash, k % 2 ? Rgba{0.08f, 0.06f, 0.05f, 1} : Rgba{1, 0.98f, 0.9f, 1});
  }
  return mark;
}

}  // namespace zbgen
