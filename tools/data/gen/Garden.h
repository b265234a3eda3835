#pragma once
#include <vector>

#include "tools/data/gen/Canvas.h"

// Pieces of the zen garden shared by the backgrounds and decorations.
namespace zbgen {

struct GardenStone {
  float x, y, rx, ry;  // centre and radii
  uint32_t seed;
};

// Raked sand: straight rake lines that bend into rings around the stones.
void rakedSand(Canvas& c, const std::vector<GardenStone>& stones, float period, uint32_t seed,
               float x0 = 0, float y0 = 0);
// Smooth stones with a soft shadow and a little moss at their foot.
void paintStones(Canvas& c, const std::vector<GardenStone>& stones);
// A frame of dark polished wood around the canvas, `width` pixels wide.
void woodFrame(Canvas& c, float width, uint32_t seed);
// Warm light from the upper left fading to a soft vignette.
void warmLight(Canvas& c, float strength = 1.0f);
// A bamboo pole from (x, y0) to (x, y1) with nodes every `segment` pixels.
void bambooPole(Canvas& c, float x, float y0, float y1, float radius, float segment);
// A bamboo leaf from (x, y) pointing at angle (radians).
void bambooLeaf(Canvas& c, float x, float y, float length, float angle, float opacity = 1.0f);
// An ink brush circle (enso) with a dry-brush gap.
void enso(Canvas& c, float cx, float cy, float r, float width, const Rgba& ink);
// A dark wood texture filling the canvas (panels).
Shader darkWood(uint32_t seed);

}  // namespace zbgen
