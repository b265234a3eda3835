// Family pictures: block clips, special blocks, sparkles, Tessel launch
// pieces and the Gyrex segments and cursor.
#include <cmath>

#include "tools/data/gen/Blocks.h"
#include "tools/data/gen/Palette.h"
#include "tools/data/gen/Pictures.h"
#include "tools/data/gen/Shading.h"

namespace zbgen {
namespace {

ClipRecipe oneFrame(Canvas pic) {
  ClipRecipe clip;
  int i = clip.add(std::move(pic));
  clip.sequences.push_back(clip.single(i));
  return clip;
}

// Gyrex colour choices: the six block colours with their emblems, pale
// jade with a ring and slate with two bars. Jade (L* 77) and slate (L* 30)
// sit in the lightness gaps of the six, so any four choices stay apart in
// grey too.
Rgba gyrexColour(int choice) {
  if (choice < kColours) return blockColour(choice);
  return choice == 6 ? rgb(0xA8C4B0) : rgb(0x3E4858);
}

Emblem gyrexEmblem(int choice) {
  if (choice < kColours) return kEmblem[choice];
  return choice == 6 ? Emblem::Ring : Emblem::Bars;
}

}  // namespace

ClipRecipe blockClip(int skin, int colour) { return oneFrame(boardBlockPicture(skin, colour)); }
ClipRecipe specialClip(int kind) { return oneFrame(specialPicture(kind)); }
ClipRecipe removerClip(int colour) { return oneFrame(colourRemoverPicture(colour)); }
ClipRecipe chameleonMarkClip() { return oneFrame(chameleonMarkPicture()); }

ClipRecipe sparkle() {
  // Sequences 0..5 follow the block colours, 6 is white gold, 7 gold; each
  // has four twinkle frames (size and turn of a four-pointed star).
  ClipRecipe clip;
  const float sizes[4] = {7.5f, 6.0f, 4.5f, 6.5f};
  for (int seq = 0; seq < 8; ++seq) {
    Rgba col = seq < kColours ? lighten(blockColour(seq), 0.35f) : seq == 6 ? rgb(0xFFF8E0) : rgb(0xFFD060);
    std::vector<ClipFrame> frames;
    for (int k = 0; k < 4; ++k) {
      Canvas c(17, 17);
      Canvas glow(17, 17);
      glow.fill(circle(8.5f, 8.5f, sizes[k] * 0.5f), col);
      glow.blur(2);
      c.draw(glow, 0, 0, 0.9f);
      c.fill(star(8.5f, 8.5f, sizes[k], sizes[k] * 0.22f, 4, k * 0.35f), col);
      c.fill(circle(8.5f, 8.5f, 1.6f), Rgba{1, 1, 1, 1});
      ClipFrame f;
      f.image = clip.add(std::move(c));
      frames.push_back(f);
    }
    clip.sequences.push_back(frames);
  }
  return clip;
}

ClipRecipe tesselBorder(bool horizontal, int colour, int skin) {
  // The launch piece is the colour's block in its skin, flattened to a tab,
  // with the colour's emblem in its middle. Its states are those of a
  // button: idle, pressed and pointed at. Idle pieces meet in dark joints; a
  // lit one glows with a light rim where the joint was, which reads by
  // brightness alone whatever the colour (a yellow tab cannot get much
  // brighter, its rim can).
  Canvas block = blockPicture(skin, colour, 64, true);
  int w = horizontal ? kBorderLength : kBorderThickness, h = horizontal ? kBorderThickness : kBorderLength;
  float cx = w / 2.0f, cy = h / 2.0f;
  Sdf whole = roundRect(-1, -1, w + 1.0f, h + 1.0f, 0);
  Sdf rim = subtract(whole, roundRect(kBorderJoint, kBorderJoint, w - kBorderJoint, h - kBorderJoint, 1.5f));
  auto piece = [&](bool lit) {
    Canvas c = block.resampled(w, h);
    if (lit) {
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) c.at(x, y) = lighten(c.at(x, y), 0.45f);
    }
    c.fill(rim, lit ? Rgba{1.0f, 0.95f, 0.78f, 1} : Rgba{0.1f, 0.07f, 0.05f, 1});
    // The same ink in both states: lighting the tab never darkens it.
    markEmblem(c, kEmblem[colour], blockColour(colour), cx, cy, kBorderThickness * 0.34f);
    return c;
  };
  ClipRecipe clip;
  int idle = clip.add(piece(false));
  int lit = clip.add(piece(true));
  for (int state : {idle, lit, lit}) clip.sequences.push_back(clip.single(state));
  return clip;
}

ClipRecipe gyrexSegment(int position) {
  // Triangles of a 42 x 42 element: top and bottom pieces are 42 x 22, left
  // and right 22 x 42; the game adds the offsets (20 for right and bottom).
  std::vector<float> tri;
  int w = 42, h = 22;
  switch (position) {
    case 0: tri = {1.5f, 1, 40.5f, 1, 21, 20.5f}; break;
    case 1: w = 22, h = 42, tri = {21, 1.5f, 21, 40.5f, 1.5f, 21}; break;
    case 2: tri = {1.5f, 21, 40.5f, 21, 21, 1.5f}; break;
    default: w = 22, h = 42, tri = {1, 1.5f, 1, 40.5f, 20.5f, 21}; break;
  }
  ClipRecipe clip;
  std::vector<ClipFrame> frames;
  for (int choice = 0; choice < kGyrexChoices; ++choice) {
    Canvas c(w, h);
    Sdf shape = offset(polygon(tri), -0.6f);
    Rgba col = gyrexColour(choice);
    c.fill(shape, pillow(shape, linear(0, 0, lighten(col, 0.12f), static_cast<float>(w), static_cast<float>(h),
                                       scaled(col, 0.85f)),
                         5, 0.55f));
    // The emblem sits upright at the triangle's inner circle, so a turned
    // element shows the same emblems in their new places.
    float ex = static_cast<float>(w) / 2, ey = static_cast<float>(h) / 2;
    if (position == 0) ey = 9.2f;
    if (position == 1) ex = 12.8f;
    if (position == 2) ey = 12.8f;
    if (position == 3) ex = 9.2f;
    markEmblem(c, gyrexEmblem(choice), col, ex, ey, 5.6f);
    ClipFrame f;
    f.image = clip.add(std::move(c));
    f.action = 1;  // a choice is shown, never animated
    frames.push_back(f);
  }
  clip.sequences.push_back(frames);
  return clip;
}

ClipRecipe gyrexCursor() {
  // A gold ring around one element with a dark rim on both sides, so it
  // reads on every segment colour; its four frames pulse gently.
  ClipRecipe clip;
  std::vector<ClipFrame> frames;
  const float glow[4] = {0.8f, 0.9f, 1.0f, 0.9f};
  for (int k = 0; k < 4; ++k) {
    Canvas c(42, 42);
    Canvas halo(42, 42);
    halo.fill(subtract(roundRect(0, 0, 42, 42, 6), roundRect(5, 5, 37, 37, 3)), rgb(0xFFE9A0));
    halo.blur(1);
    c.draw(halo, 0, 0, 0.5f * glow[k]);
    c.fill(subtract(roundRect(0.5f, 0.5f, 41.5f, 41.5f, 5), roundRect(4.5f, 4.5f, 37.5f, 37.5f, 3)),
           Rgba{0.16f, 0.09f, 0.02f, 0.85f});
    c.fill(subtract(roundRect(1.5f, 1.5f, 40.5f, 40.5f, 4), roundRect(3.5f, 3.5f, 38.5f, 38.5f, 3)),
           scaled(rgb(0xFFD45C), glow[k]));
    ClipFrame f;
    f.image = clip.add(std::move(c));
    frames.push_back(f);
  }
  clip.sequences.push_back(frames);
  return clip;
}

}  // namespace zbgen
