// Clip-drawn controls (bt0..bt5), the panel buttons (but7..but12) and the
// application icon: smooth stones and lacquer with gold marks.
#include <cmath>

#include "tools/data/gen/Palette.h"
#include "tools/data/gen/Pictures.h"
#include "tools/data/gen/Shading.h"

namespace zbgen {
namespace {

enum Look { Idle, Pressed, Hovered };

// A check mark as a thick polyline.
Sdf tick(float s) {
  return unite(capsule(s * 0.24f, s * 0.52f, s * 0.42f, s * 0.7f, s * 0.07f),
               capsule(s * 0.42f, s * 0.7f, s * 0.78f, s * 0.28f, s * 0.07f));
}

Rgba faceColour(Look look) {
  return look == Hovered ? rgb(0x6A5A48) : look == Pressed ? rgb(0x3A3128) : rgb(0x554838);
}

// Check box and radio box: a recessed stone socket; checked shows a gold
// tick or a jade pebble.
Canvas box(bool round, bool checked, Look look) {
  const float s = 30;
  Canvas c(30, 30);
  Sdf socket = round ? circle(15, 15, 13.5f) : roundRect(1.5f, 1.5f, 28.5f, 28.5f, 6);
  c.fill(socket, pillow(socket, solid(faceColour(look)), 3.5f, look == Pressed ? -0.45f : 0.5f));
  Sdf inner = round ? circle(15, 15, 9) : roundRect(6, 6, 24, 24, 3.5f);
  c.fill(inner, linear(0, 6, rgb(0x1E1914), 0, 24, rgb(0x3A3026)));
  if (look == Hovered) c.fill(subtract(socket, offset(socket, -1.2f)), Rgba{1, 0.85f, 0.5f, 0.6f});
  if (checked) {
    if (round) {
      Sdf pebble = circle(15, 15, 6.2f);
      c.fill(pebble, dome(pebble, solid(rgb(0x4FC08D)), 15, 15, 5, 0.6f));
      gloss(c, pebble, 14, 11.5f, 3.5f, 2, 0.6f);
    } else {
      emboss(c, tick(s), linear(0, 6, rgb(0xFFE49A), 0, 24, rgb(0xD9962E)), 1.0f);
    }
  }
  return c;
}

// A cell of the segmented volume bar: a lacquered tablet, lit when checked.
Canvas barCell(bool lit, Look look) {
  Canvas c(20, 30);
  Sdf tab = roundRect(1.5f, 1.5f, 18.5f, 28.5f, 4);
  Rgba face = lit ? rgb(0xE8A33A) : rgb(0x4A3F34);
  if (look == Hovered) face = lighten(face, 0.15f);
  if (look == Pressed) face = scaled(face, 0.8f);
  c.fill(tab, pillow(tab, linear(0, 0, lighten(face, 0.15f), 0, 30, scaled(face, 0.85f)), 3, 0.5f));
  if (lit) gloss(c, tab, 10, 6, 7, 4, 0.35f);
  return c;
}

// The edit field: a pale paper strip in a dark wooden frame.
Canvas editField(Look look) {
  Canvas c(240, 30);
  Sdf frame = roundRect(0.5f, 0.5f, 239.5f, 29.5f, 6);
  c.fill(frame, pillow(frame, solid(rgb(0x4A3424)), 3, 0.5f));
  Sdf paper = roundRect(4, 4, 236, 26, 3);
  Rgba bg = look == Idle ? rgb(0x1F2A2A) : rgb(0x243434);
  c.fill(paper, linear(0, 4, scaled(bg, 0.8f), 0, 26, bg));
  if (look != Idle) c.fill(subtract(frame, offset(frame, -1.3f)), Rgba{1, 0.85f, 0.5f, 0.7f});
  return c;
}

// Round stone buttons with a gold arrow.
Canvas arrowButton(bool up, Look look) {
  Canvas c(32, 32);
  Sdf stone = circle(16, 16, 14.5f);
  c.fill(stone, dome(stone, solid(faceColour(look)), 16, 16, 9, look == Pressed ? -0.3f : 0.5f));
  float d = up ? -1 : 1;
  Sdf arrow = polygon({16, 16 + d * 8.5f, 24, 16 - d * 3.5f, 8, 16 - d * 3.5f});
  emboss(c, offset(arrow, 1.2f), linear(0, 8, rgb(0xFFE49A), 0, 24, rgb(0xD9962E)), 1.0f);
  if (look == Hovered) c.fill(ring(16, 16, 14.3f, 1.4f), Rgba{1, 0.85f, 0.5f, 0.7f});
  return c;
}

ClipRecipe statesClip(std::vector<Canvas> looks) {
  ClipRecipe clip;
  for (Canvas& c : looks) {
    int i = clip.add(std::move(c));
    clip.sequences.push_back(clip.single(i));
  }
  return clip;
}

// The marks on the panel buttons.
Sdf panelMark(int number, float s) {
  float c = s / 2, w = s * 0.09f;
  switch (number) {
    case 7:  // exit: a cross
      return unite(capsule(c - s * 0.2f, c - s * 0.2f, c + s * 0.2f, c + s * 0.2f, w),
                   capsule(c + s * 0.2f, c - s * 0.2f, c - s * 0.2f, c + s * 0.2f, w));
    case 8:  // minimise: a bar at the bottom
      return roundRect(c - s * 0.22f, c + s * 0.08f, c + s * 0.22f, c + s * 0.08f + 2 * w, w * 0.5f);
    case 9: {  // help: a question mark
      Sdf hook = [=](float x, float y) {
        float r = std::hypot(x - c, y - (c - s * 0.1f));
        float d = std::fabs(r - s * 0.14f) - w * 0.85f;
        return (y > c - s * 0.02f && x < c + s * 0.05f) ? std::max(d, (c - s * 0.02f) - y) : d;
      };
      return unite(unite(hook, capsule(c, c + s * 0.02f, c, c + s * 0.1f, w * 0.85f)),
                   circle(c, c + s * 0.25f, w * 1.0f));
    }
    case 10:  // window mode: a frame
      return subtract(roundRect(c - s * 0.22f, c - s * 0.18f, c + s * 0.22f, c + s * 0.2f, 2),
                      roundRect(c - s * 0.22f + 2 * w * 0.8f, c - s * 0.18f + 2.6f * w, c + s * 0.22f - 2 * w * 0.8f,
                                c + s * 0.2f - 1.6f * w, 1));
    case 11: {  // options: a gear
      Sdf teeth = star(c, c, s * 0.27f, s * 0.19f, 8, 0.2f);
      return subtract(unite(offset(teeth, 0.8f), circle(c, c, s * 0.2f)), circle(c, c, s * 0.08f));
    }
    default:  // new game: a five-point star
      return star(c, c + s * 0.02f, s * 0.27f, s * 0.12f, 5, 0);
  }
}

Canvas panelButtonLook(int number, Look look) {
  const float s = 26;
  Canvas c(26, 26);
  Sdf stone = circle(13, 13, 12.2f);
  Rgba face = number == 7 ? rgb(0x7A3A26) : faceColour(look);
  if (number == 7 && look == Hovered) face = rgb(0x9A4A30);
  if (number == 7 && look == Pressed) face = rgb(0x5A2A1A);
  c.fill(stone, dome(stone, solid(face), 13, 13, 8, look == Pressed ? -0.3f : 0.55f));
  Shader gold = linear(0, 6, rgb(0xFFE9A8), 0, 20, rgb(0xD8952C));
  Sdf mark = panelMark(number, s);
  if (look == Pressed) mark = [mark](float x, float y) { return mark(x - 0.7f, y - 0.7f); };
  emboss(c, mark, gold, 0.9f);
  if (look == Hovered) c.fill(ring(13, 13, 12, 1.2f), Rgba{1, 0.88f, 0.55f, 0.75f});
  return c;
}

}  // namespace

ClipRecipe controlClip(int index) {
  switch (index) {
    case 0:
    case 1: {
      bool round = index == 1;
      return statesClip({box(round, false, Idle), box(round, true, Idle), box(round, false, Pressed),
                         box(round, true, Pressed), box(round, false, Hovered), box(round, true, Hovered)});
    }
    case 2:
      return statesClip({barCell(false, Idle), barCell(true, Idle), barCell(false, Pressed), barCell(true, Pressed),
                         barCell(false, Hovered), barCell(true, Hovered)});
    case 3: return statesClip({editField(Idle), editField(Pressed), editField(Hovered)});
    case 4: return statesClip({arrowButton(true, Idle), arrowButton(true, Pressed), arrowButton(true, Hovered)});
    default: return statesClip({arrowButton(false, Idle), arrowButton(false, Pressed), arrowButton(false, Hovered)});
  }
}

ClipRecipe panelButton(int number) {
  return statesClip({panelButtonLook(number, Idle), panelButtonLook(number, Pressed), panelButtonLook(number, Hovered)});
}

Canvas appIcon(int size) {
  float s = static_cast<float>(size);
  Canvas c(size, size);
  Sdf tile = roundRect(s * 0.04f, s * 0.04f, s * 0.96f, s * 0.96f, s * 0.2f);
  c.fill(tile, pillow(tile, linear(0, 0, rgb(kSand), 0, s, rgb(kSandDark)), s * 0.08f, 0.5f));
  for (int k = 1; k <= 3; ++k)
    c.fill(intersect(ring(s * 0.62f, s * 0.6f, s * (0.12f + 0.1f * k), s * 0.03f), offset(tile, -s * 0.06f)),
           Rgba{0.45f, 0.35f, 0.2f, 0.45f});
  Sdf stone = circle(s * 0.62f, s * 0.6f, s * 0.16f);
  c.fill(stone, dome(stone, solid(rgb(0x5A5650)), s * 0.6f, s * 0.58f, s * 0.12f, 0.6f));
  Sdf block = roundRect(s * 0.16f, s * 0.16f, s * 0.42f, s * 0.42f, s * 0.06f);
  c.fill(block, pillow(block, solid(blockColour(0)), s * 0.05f, 0.5f));
  return c;
}

}  // namespace zbgen
