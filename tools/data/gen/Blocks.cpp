#include "tools/data/gen/Blocks.h"

#include <cmath>

#include "tools/data/gen/Palette.h"
#include "tools/data/gen/Shading.h"

namespace zbgen {
namespace {

// Gem: a bevelled, glossy tile.
Canvas gem(int colour, float s) {
  Canvas c(static_cast<int>(s), static_cast<int>(s));
  Rgba base = blockColour(colour);
  Sdf body = roundRect(1, 1, s - 1, s - 1, s * 0.18f);
  c.fill(body, pillow(body, linear(0, 0, lighten(base, 0.18f), 0, s, scaled(base, 0.8f)), s * 0.12f, 0.55f));
  Sdf face = roundRect(s * 0.17f, s * 0.17f, s * 0.83f, s * 0.83f, s * 0.1f);
  c.fill(face, linear(0, s * 0.17f, scaled(base, 0.92f), 0, s * 0.83f, lighten(base, 0.08f)));
  gloss(c, body, s * 0.45f, s * 0.16f, s * 0.38f, s * 0.14f, 0.45f);
  return c;
}

// Glass: a translucent bead with a bright rim reflection and a caustic glow.
Canvas glass(int colour, float s) {
  Canvas c(static_cast<int>(s), static_cast<int>(s));
  Rgba base = blockColour(colour);
  Sdf body = roundRect(1.5f, 1.5f, s - 1.5f, s - 1.5f, s * 0.3f);
  Rgba rim = scaled(base, 0.6f);
  rim.a = 0.95f;
  Rgba core = lighten(base, 0.25f);
  core.a = 0.78f;
  c.fill(body, radial(s * 0.55f, s * 0.62f, s * 0.62f, core, rim));
  c.fill(ring(s / 2, s / 2, s * 0.34f, s * 0.05f), Rgba{1, 1, 1, 0.12f});
  Canvas glow(c.width(), c.height());
  glow.fill(circle(s * 0.62f, s * 0.7f, s * 0.16f), lighten(base, 0.6f));
  glow.blur(static_cast<int>(s / 10));
  c.draw(glow, 0, 0, 0.8f);
  gloss(c, body, s * 0.42f, s * 0.22f, s * 0.3f, s * 0.15f, 0.7f);
  c.fill(circle(s * 0.74f, s * 0.76f, s * 0.045f), Rgba{1, 1, 1, 0.7f});
  return c;
}

// Stone: a smooth river pebble, speckled, in a muted version of the colour.
Canvas stone(int colour, float s) {
  Canvas c(static_cast<int>(s), static_cast<int>(s));
  Rgba base = mix(blockColour(colour), rgb(0xA09484), 0.14f);
  Sdf rr = roundRect(2, 2.5f, s - 2, s - 2, s * 0.36f);
  Sdf body = [=](float x, float y) { return rr(x, y) + (noise2(x * 0.08f, y * 0.08f, 77 + colour) - 0.5f) * 3.0f; };
  Shader tex = [=](float x, float y) {
    float n = fbm(x * 0.12f, y * 0.12f, 300 + colour, 3);
    float speck = hash01(static_cast<uint32_t>(x), static_cast<uint32_t>(y), 9) > 0.93f ? 0.1f : 0.0f;
    return scaled(base, 0.86f + 0.28f * n - speck);
  };
  c.fill(body, dome(body, tex, s * 0.5f, s * 0.5f, s * 0.42f, 0.36f));
  gloss(c, body, s * 0.38f, s * 0.25f, s * 0.22f, s * 0.1f, 0.25f);
  return c;
}

// Wood: a lacquered wooden tile with visible grain stained in the colour.
Canvas wood(int colour, float s) {
  Canvas c(static_cast<int>(s), static_cast<int>(s));
  Rgba base = mix(blockColour(colour), rgb(0x9A6A3C), 0.18f);
  Sdf body = roundRect(1, 1, s - 1, s - 1, s * 0.09f);
  // Growth rings cut lengthwise: stretched noise bends long dark lines.
  Shader grain = [=](float x, float y) {
    float warp = fbm(x * 0.04f, y * 0.012f, 500 + colour, 3) * 9.0f;
    float ring = std::fmod(x * 0.16f + warp + 100.0f, 1.0f);
    float line = smoothstep(0.55f, 0.95f, ring);
    float fine = noise2(x * 1.6f, y * 0.08f, 600 + colour);
    return scaled(base, 1.02f - 0.24f * line + 0.1f * (fine - 0.5f));
  };
  c.fill(body, pillow(body, grain, s * 0.07f, 0.5f));
  Sdf inlay = roundRect(s * 0.12f, s * 0.12f, s * 0.88f, s * 0.88f, s * 0.05f);
  c.fill(subtract(inlay, offset(inlay, -1.0f)), Rgba{0.1f, 0.06f, 0.03f, 0.35f});
  gloss(c, body, s * 0.5f, s * 0.1f, s * 0.5f, s * 0.12f, 0.22f);
  return c;
}

// Flat: a clean, modern tile; colour only, with a quiet edge.
Canvas flat(int colour, float s) {
  Canvas c(static_cast<int>(s), static_cast<int>(s));
  Rgba base = blockColour(colour);
  Sdf body = roundRect(2, 2, s - 2, s - 2, s * 0.16f);
  c.fill(body, scaled(base, 0.82f));
  Sdf inner = roundRect(3.5f, 3.5f, s - 3.5f, s - 5, s * 0.14f);
  c.fill(inner, base);
  c.fill(intersect(inner, [=](float, float y) { return y - s * 0.5f; }), Rgba{1, 1, 1, 0.08f});
  return c;
}

// Pattern: raked ripples (overlapping circles) pressed into the tile.
Canvas pattern(int colour, float s) {
  Canvas c(static_cast<int>(s), static_cast<int>(s));
  Rgba base = blockColour(colour);
  Sdf body = roundRect(1, 1, s - 1, s - 1, s * 0.14f);
  c.fill(body, pillow(body, solid(base), s * 0.08f, 0.45f));
  float r = s * 0.22f;
  Rgba line = colour == 2 ? scaled(base, 0.62f) : lighten(base, 0.42f);
  Canvas p(c.width(), c.height());
  for (int row = 0; row < 5; ++row)
    for (int col = -1; col < 4; ++col) {
      float cx = col * 2 * r + (row % 2 ? r : 0) + s * 0.1f, cy = row * r * 0.75f + s * 0.02f;
      for (int k = 0; k < 3; ++k) p.fill(ring(cx, cy, r * (1.0f - 0.3f * k), 1.3f), line);
    }
  p.clipTo(offset(body, -3.5f));
  c.draw(p, 0, 0, 0.75f);
  gloss(c, body, s * 0.5f, s * 0.12f, s * 0.45f, s * 0.12f, 0.2f);
  return c;
}

}  // namespace

namespace {

Canvas skinFace(int skin, int colour, float s) {
  switch (skin) {
    case 0: return gem(colour, s);
    case 1: return glass(colour, s);
    case 2: return stone(colour, s);
    case 3: return wood(colour, s);
    case 4: return flat(colour, s);
    default: return pattern(colour, s);
  }
}

}  // namespace

Canvas blockPicture(int skin, int colour, int size, bool plain) {
  float s = static_cast<float>(size);
  Canvas c = skinFace(skin, colour, s);
  // Every skin carries the colour's emblem on top of its surface, so no
  // two colours are told apart by hue alone.
  if (!plain) markEmblem(c, kEmblem[colour], blockColour(colour), s / 2, s / 2, s * 0.3f);
  return c;
}

Canvas boardBlockPicture(int skin, int colour) {
  // The joint is dark whatever the colour, and the board behind it is light
  // sand: a lit block, drawn smaller, shows a light ring where plain blocks
  // meet in dark joints, which reads by brightness alone.
  const int joint = 4;
  Canvas c(kBlockSize, kBlockSize);
  c.fill(roundRect(-1, -1, kBlockSize + 1, kBlockSize + 1, 0), Rgba{0.1f, 0.08f, 0.07f, 1});
  c.draw(blockPicture(skin, colour, kBlockSize - 2 * joint), joint, joint);
  return c;
}

}  // namespace zbgen
