// The intro picture, the pause and panel pictures, the curtain tile and the
// separator bar.
#include <cmath>

#include "tools/data/gen/Garden.h"
#include "tools/data/gen/Palette.h"
#include "tools/data/gen/Pictures.h"
#include "tools/data/gen/Shading.h"
#include "tools/data/gen/TextMask.h"

namespace zbgen {
namespace {

constexpr uint32_t kIntroKey = 0x004129;   // transparent parts of the intro picture
constexpr uint32_t kIntroBack = 0x131F3B;  // the intro screen behind them

// A lettered line centred at (cx, top).
void title(Canvas& c, const std::string& text, int height, float cx, int top, const LetterStyle& st) {
  Mask m = textMask(text, height);
  if (m.w == 0) return;
  Canvas letters = styledLetters(padded(m, 5), st);
  c.draw(letters, static_cast<int>(cx) - letters.width() / 2, top);
}

}  // namespace

ClipRecipe introPicture() {
  Canvas c(400, 400);
  Sdf disc = circle(200, 170, 150);
  Canvas garden(400, 400);
  std::vector<GardenStone> stones = {{235, 160, 34, 25, 61}, {170, 200, 16, 12, 62}};
  rakedSand(garden, stones, 8.0f, 60);
  paintStones(garden, stones);
  warmLight(garden);
  garden.clipTo(disc);
  dropShadow(c, disc, 4, 6, 6, 0.6f);
  c.draw(garden, 0, 0);
  enso(c, 200, 170, 152, 16, Rgba{0.1f, 0.08f, 0.07f, 0.95f});
  bambooLeaf(c, 62, 280, 70, -0.9f);
  bambooLeaf(c, 66, 284, 56, -0.45f);
  title(c, "ZENBOX", 62, 200, 300, {rgb(0xFFF6E2), rgb(0xF0A040), rgb(0x2A1408), 3.0f, 0.6f, 3});
  // The colour key marks what is not drawn; soft edges are blended with the
  // intro screen's colour instead of an alpha plane.
  Rgba back = rgb(kIntroBack), key = rgb(kIntroKey);
  for (int y = 0; y < 400; ++y)
    for (int x = 0; x < 400; ++x) {
      Rgba& p = c.at(x, y);
      p = p.a < 0.1f ? key : mix(back, Rgba{p.r, p.g, p.b, 1}, p.a);
      p.a = 1;
    }
  ClipRecipe clip;
  int i = clip.add(std::move(c), Store::Raw);
  clip.sequences.push_back(clip.single(i));
  clip.sequences[0][0].key = static_cast<int>(kIntroKey);
  return clip;
}

ClipRecipe pausePicture() {
  // A cairn of balanced stones with a sprig of bamboo: the game rests.
  Canvas c(180, 170);
  struct Disc {
    float cx, cy, rx, ry;
  };
  const Disc cairn[4] = {{90, 140, 62, 20}, {88, 105, 48, 17}, {92, 74, 36, 14}, {89, 48, 24, 11}};
  dropShadow(c, [](float x, float y) { return std::hypot((x - 95) / 70, (y - 160) / 9) * 9 - 9; }, 0, 0, 4, 0.5f);
  for (int i = 0; i < 4; ++i) {
    const Disc& d = cairn[i];
    Sdf shape = [d](float x, float y) {
      return (std::hypot((x - d.cx) / d.rx, (y - d.cy) / d.ry) - 1) * d.ry;
    };
    Shader tex = [i](float x, float y) {
      return mix(rgb(kStoneDark), rgb(0xA09A90), 0.3f + 0.5f * fbm(x * 0.05f, y * 0.05f, 70 + i, 4));
    };
    c.fill(shape, dome(shape, tex, d.cx - d.rx * 0.2f, d.cy - d.ry * 0.3f, d.ry * 0.9f, 0.45f));
  }
  bambooLeaf(c, 130, 30, 44, -0.5f);
  bambooLeaf(c, 130, 30, 36, 0.25f);
  ClipRecipe clip;
  int i = clip.add(std::move(c), Store::JpegAlpha, 92);
  clip.sequences.push_back(clip.single(i));
  clip.sequences[0][0].key = kNoKey;
  return clip;
}

ClipRecipe panelPicture() {
  // The emblem keeps to the lower right of its 80 x 88 picture: the picture
  // stands at 660, 140 of the panel and the Tessel "UNDO" caption at 620, 160
  // reaches some 18 pixels into its left part.
  Canvas c(80, 88);
  const float cx = 52, cy = 57;
  enso(c, cx, cy, 23, 6, Rgba{0.95f, 0.88f, 0.74f, 0.9f});
  Sdf stone = [=](float x, float y) { return (std::hypot((x - cx - 1) / 13, (y - cy - 8) / 8) - 1) * 8; };
  dropShadow(c, stone, 2, 3, 2, 0.5f);
  c.fill(stone, dome(stone, solid(rgb(0x6A665F)), cx, cy + 6, 7, 0.5f));
  bambooLeaf(c, cx + 7, cy - 10, 18, -0.6f);
  ClipRecipe clip;
  int i = clip.add(std::move(c));
  clip.sequences.push_back(clip.single(i));
  return clip;
}

ClipRecipe curtainTile() {
  // Slate tiles, each with a faint carved motif; the curtain shows them at
  // random so the cover looks like a laid floor. Frames are stopped.
  ClipRecipe clip;
  std::vector<ClipFrame> seq;
  for (int k = 0; k < 6; ++k) {
    Canvas c(60, 58);
    Sdf tile = roundRect(0.5f, 0.5f, 59.5f, 57.5f, 4);
    Shader tex = [k](float x, float y) {
      return scaled(mix(rgb(0x4A4540), rgb(0x35312D), y / 58), 0.88f + 0.24f * fbm(x * 0.09f, y * 0.09f, 80 + k, 3));
    };
    c.fill(tile, pillow(tile, tex, 4, 0.5f));
    Rgba carve{0.85f, 0.75f, 0.55f, 0.1f};  // faint: dialogs write over the tiles
    switch (k) {
      case 0: c.fill(ring(30, 29, 12, 2), carve); break;
      case 1: c.fill(emblemShape(Emblem::Diamond, 30, 29, 10), carve); break;
      case 2:
        for (int r = 0; r < 3; ++r) c.fill(ring(30, 40, 8.0f + r * 6, 1.4f), carve);
        break;
      case 3: bambooLeaf(c, 16, 40, 32, -0.6f, 0.16f); break;
      case 4: c.fill(emblemShape(Emblem::Star, 30, 29, 10), carve); break;
      default: break;
    }
    ClipFrame f;
    f.image = clip.add(std::move(c), Store::Raw);
    f.key = kNoKey;
    f.action = 1;
    seq.push_back(f);
  }
  clip.sequences.push_back(seq);
  return clip;
}

ClipRecipe separatorBar() {
  Canvas c(580, 6);
  Sdf bar = roundRect(0.5f, 0.5f, 579.5f, 5.5f, 2.5f);
  c.fill(bar, pillow(bar, linear(0, 0, rgb(0xF2CF78), 580, 0, rgb(0xC8902E)), 2, 0.5f));
  ClipRecipe clip;
  int i = clip.add(std::move(c));
  clip.sequences.push_back(clip.single(i));
  return clip;
}

}  // namespace zbgen
