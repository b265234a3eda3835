#pragma once
#include "tools/data/gen/Canvas.h"

// Lighting helpers shared by the pictures: a soft light from the upper left
// falls on raised shapes, so bevels and pebbles read the same everywhere.
namespace zbgen {

// A raised shape: the band of width `rim` inside the edge slopes like a
// pillow and catches the light; the plateau takes `face`. `strength` scales
// the light and shadow on the slope.
Shader pillow(Sdf shape, Shader face, float rim, float strength = 0.45f);
// A rounded dome (a pebble or a glass bead) centred at (cx, cy): the surface
// rises from the edge over `depth` pixels and faces away from the centre.
Shader dome(Sdf shape, Shader face, float cx, float cy, float depth, float strength = 0.5f);
// A soft drop shadow of a shape, offset down-right and blurred.
void dropShadow(Canvas& c, const Sdf& shape, float dx, float dy, int blur, float opacity);
// A glossy highlight: a white ellipse fading downwards, clipped to the shape.
void gloss(Canvas& c, const Sdf& clip, float cx, float cy, float rx, float ry, float opacity);
// An engraved shape: dark edge below-right, light edge above-left, filled.
void engrave(Canvas& c, const Sdf& shape, const Rgba& fill, float depth = 1.2f);
// An embossed (raised) shape with a shadow below-right.
void emboss(Canvas& c, const Sdf& shape, const Shader& fill, float depth = 1.5f);

// Distance along the outward normal: numeric gradient of an SDF.
void gradient(const Sdf& s, float x, float y, float& gx, float& gy);

}  // namespace zbgen
