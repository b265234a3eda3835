// The large pictures: the three board backgrounds and the side panel, stored
// as JPEG payloads.
#include <cmath>

#include "tools/data/gen/Garden.h"
#include "tools/data/gen/Palette.h"
#include "tools/data/gen/Pictures.h"
#include "tools/data/gen/Shading.h"

namespace zbgen {
namespace {

ClipRecipe opaqueClip(Canvas pic, Store store = Store::Jpeg) {
  ClipRecipe clip;
  int i = clip.add(std::move(pic), store, 92);
  clip.sequences.push_back(clip.single(i));
  return clip;
}

// A sunken well of raked sand with a thin dark lip.
void sandWell(Canvas& c, float x0, float y0, float x1, float y1, uint32_t seed, float period) {
  int bx = static_cast<int>(x0), by = static_cast<int>(y0);
  Canvas well(static_cast<int>(x1 - x0) + 2, static_cast<int>(y1 - y0) + 2);
  rakedSand(well, {}, period, seed, static_cast<float>(bx), static_cast<float>(by));
  Sdf area = roundRect(x0, y0, x1, y1, 4);
  well.clipTo([&](float x, float y) { return area(x + bx, y + by); });
  c.draw(well, bx, by);
  Canvas lip(c.width(), c.height());
  lip.fill(subtract(area, offset(area, -5)), Rgba{0.08f, 0.05f, 0.02f, 0.55f});
  lip.blur(2);
  lip.clipTo(area);
  c.draw(lip, 0, 0);
}

}  // namespace

ClipRecipe mainBackground() {
  Canvas c(600, 600, rgb(kSand));
  std::vector<GardenStone> stones = {{470, 130, 42, 30, 11}, {510, 165, 20, 15, 12}, {120, 470, 55, 38, 13},
                                     {190, 500, 18, 14, 14}, {330, 320, 14, 11, 15}};
  rakedSand(c, stones, 11.0f, 3);
  paintStones(c, stones);
  warmLight(c);
  woodFrame(c, 10, 21);
  return opaqueClip(std::move(c));
}

ClipRecipe sidePanel() {
  Canvas c(200, 600);
  c.fill(roundRect(-10, -10, 210, 610, 0), darkWood(31));
  // A recessed strip for the buttons and quiet panes for the captions.
  auto pane = [&](float y0, float y1) {
    Sdf p = roundRect(8, y0, 184, y1, 6);
    c.fill(p, Rgba{0.05f, 0.03f, 0.02f, 0.35f});
    c.fill(subtract(p, offset(p, -1.5f)), Rgba{1, 0.9f, 0.7f, 0.12f});
  };
  c.fill(roundRect(0, 0, 200, 44, 0), Rgba{0.03f, 0.02f, 0.01f, 0.45f});
  c.fill(roundRect(-2, -2, 3, 602, 0), Rgba{0, 0, 0, 0.45f});  // seam against the board
  pane(8, 132);
  pane(236, 352);
  // The pole stands at the outer edge: the Gyrex panel starts further left
  // and its captions would cross a pole at the inner edge.
  bambooPole(c, 194, -5, 605, 5, 95);
  for (int i = 0; i < 5; ++i)
    bambooLeaf(c, 189, 520.0f + i * 9, 58.0f - i * 5, static_cast<float>(M_PI) + 0.35f - i * 0.22f, 0.85f);
  enso(c, 80, 530, 42, 9, Rgba{0.93f, 0.86f, 0.72f, 0.3f});
  warmLight(c, 0.7f);
  return opaqueClip(std::move(c));
}

ClipRecipe tesselBackground() {
  Canvas c(600, 600, rgb(kSand));
  rakedSand(c, {{560, 40, 30, 22, 41}}, 12.0f, 40);
  // The tray: ring lane (cells of row/column 0 and 12) and the 11 x 11 well.
  const float b = kBorderThickness, cell = 38;
  float gx = 12 + b + 11, gy = 11 + b + 11;  // top-left of cell (0, 0)
  Sdf tray = roundRect(gx - 6, gy - 6, gx + 13 * cell + 6, gy + 13 * cell + 6, 10);
  dropShadow(c, tray, 3, 4, 4, 0.4f);
  c.fill(tray, pillow(tray, darkWood(43), 6, 0.5f));
  Sdf lane = roundRect(gx, gy, gx + 13 * cell, gy + 13 * cell, 6);
  c.fill(lane, [](float x, float y) { return scaled(rgb(0x76644E), 0.88f + 0.24f * fbm(x * 0.08f, y * 0.08f, 44, 3)); });
  // Stepping stones of the launch ring: one per ring cell.
  for (int k = 1; k <= 11; ++k)
    for (int side = 0; side < 4; ++side) {
      float cx = gx + (side < 2 ? k + 0.5f : side == 2 ? 0.5f : 12.5f) * cell;
      float cy = gy + (side < 2 ? (side == 0 ? 0.5f : 12.5f) : k + 0.5f) * cell;
      Sdf pad = roundRect(cx - 15, cy - 15, cx + 15, cy + 15, 7);
      c.fill(pad, pillow(pad, solid(rgb(0x5E5246)), 3, -0.35f), around(cx, cy, 16, 16));
    }
  sandWell(c, gx + cell, gy + cell, gx + 12 * cell, gy + 12 * cell, 45, 9.5f);
  // Faint cell grid in the well.
  Shader line = solid(Rgba{0.35f, 0.25f, 0.12f, 0.22f});
  for (int k = 2; k <= 11; ++k) {
    float at = k * cell, mid = 6.5f * cell, half = 5.5f * cell;
    c.fill(roundRect(gx + at - 0.5f, gy + cell + 2, gx + at + 0.5f, gy + 12 * cell - 2, 0.5f), line,
           around(gx + at, gy + mid, 1, half));
    c.fill(roundRect(gx + cell + 2, gy + at - 0.5f, gx + 12 * cell - 2, gy + at + 0.5f, 0.5f), line,
           around(gx + mid, gy + at, half, 1));
  }
  warmLight(c, 0.8f);
  woodFrame(c, 8, 46);
  return opaqueClip(std::move(c));
}

ClipRecipe gyrexBackground() {
  Canvas c(600, 600);
  c.fill(roundRect(-10, -10, 610, 610, 0), [](float x, float y) {
    return scaled(mix(rgb(0x2E3B3A), rgb(0x1C2423), y / 600.0f), 0.9f + 0.2f * fbm(x * 0.02f, y * 0.02f, 51, 4));
  });
  // The right strip continues the side panel's wood under the moved panel.
  c.fill(roundRect(530, -10, 610, 610, 0), darkWood(52));
  c.fill(roundRect(528, -10, 532, 610, 0), Rgba{0, 0, 0, 0.5f});
  auto wells = [&](float ox, float oy, int rowsCount) {
    Sdf frame = roundRect(ox - 5, oy - 5, ox + 504 + 5, oy + rowsCount * 42 + 5, 6);
    c.fill(frame, pillow(frame, darkWood(53), 4, 0.5f));
    for (int r = 0; r < rowsCount; ++r)
      for (int col = 0; col < 12; ++col) {
        float x = ox + col * 42, y = oy + r * 42;
        Sdf cellShape = roundRect(x + 1, y + 1, x + 41, y + 41, 3);
        Box box = around(x + 21, y + 21, 21, 21);
        c.fill(cellShape, [=](float px, float py) {
          return scaled(rgb(0xCDBB93), 0.9f + 0.15f * noise2(px * 0.3f, py * 0.3f, 54) - 0.1f * (py - y) / 42);
        }, box);
        // The diagonals where the four segments meet.
        Shader line = solid(Rgba{0.4f, 0.3f, 0.18f, 0.25f});
        c.fill(capsule(x + 4, y + 4, x + 38, y + 38, 0.5f), line, box);
        c.fill(capsule(x + 38, y + 4, x + 4, y + 38, 0.5f), line, box);
      }
  };
  wells(19, 19, 12);
  wells(19, 539, 1);
  warmLight(c, 0.6f);
  return opaqueClip(std::move(c));
}

}  // namespace zbgen
