#pragma once
#include <cstdint>
#include <functional>
#include <vector>

// A small floating-point RGBA canvas for drawing the data pack's pictures
// procedurally. Colours are straight (not premultiplied) in 0..1; shapes are
// given as signed distance functions so every edge is antialiased the same
// way, or as inside tests that are supersampled.
namespace zbgen {

struct Rgba {
  float r = 0, g = 0, b = 0, a = 1;
};

Rgba rgb(uint32_t hex, float a = 1.0f);
Rgba mix(const Rgba& p, const Rgba& q, float t);
Rgba scaled(const Rgba& c, float k);  // colour times k, alpha kept
Rgba lighten(const Rgba& c, float t);  // towards white by t
float clamp01(float v);
float smoothstep(float e0, float e1, float x);

using Sdf = std::function<float(float x, float y)>;        // < 0 inside, pixels
using Shader = std::function<Rgba(float x, float y)>;      // colour at a point
using Inside = std::function<bool(float x, float y)>;

// A pixel rectangle [x0, x1) x [y0, y1) that bounds a shape, so large
// canvases only evaluate shapes where they can be.
struct Box {
  int x0, y0, x1, y1;
};
Box around(float cx, float cy, float rx, float ry, float margin = 2);

class Canvas {
public:
  Canvas() = default;
  Canvas(int width, int height, Rgba fill = {0, 0, 0, 0});

  int width() const { return w_; }
  int height() const { return h_; }
  Rgba& at(int x, int y) { return px_[static_cast<size_t>(y) * w_ + x]; }
  const Rgba& at(int x, int y) const { return px_[static_cast<size_t>(y) * w_ + x]; }

  // Source-over blend of colour c scaled by coverage at one pixel.
  void blend(int x, int y, const Rgba& c, float coverage);
  // Fills the shape with the shader; the edge is antialiased over one pixel.
  void fill(const Sdf& sdf, const Shader& shade);
  void fill(const Sdf& sdf, const Rgba& colour);
  void fill(const Sdf& sdf, const Shader& shade, const Box& box);
  // Fills an arbitrary inside test with n x n supersampling.
  void fillSampled(const Inside& inside, const Shader& shade, int n = 4);
  // Paints the shader over every pixel with the given opacity.
  void wash(const Shader& shade, float opacity = 1.0f);
  // Draws another canvas with its top-left at (x, y), scaled in opacity.
  void draw(const Canvas& src, int x, int y, float opacity = 1.0f);
  // Draws an 8-bit coverage mask tinted by the shader at (x, y).
  void drawMask(const std::vector<uint8_t>& mask, int mw, int mh, int x, int y, const Shader& shade);
  // Multiplies every pixel's alpha by a mask value from the shape (keeps what is inside).
  void clipTo(const Sdf& sdf);
  // Box blur of the whole canvas (colour and alpha), radius in pixels.
  void blur(int radius);
  // A copy holding only the alpha channel, tinted with one colour.
  Canvas silhouette(const Rgba& colour) const;
  // A bilinear resample to width x height (premultiplied, so edges stay clean).
  Canvas resampled(int width, int height) const;

private:
  int w_ = 0, h_ = 0;
  std::vector<Rgba> px_;
};

// Shapes as signed distances (pixels; negative inside).
Sdf circle(float cx, float cy, float r);
Sdf roundRect(float x0, float y0, float x1, float y1, float radius);
Sdf polygon(std::vector<float> xy);  // x0 y0 x1 y1 ... (convex or not)
Sdf capsule(float ax, float ay, float bx, float by, float r);
Sdf ring(float cx, float cy, float r, float thickness);
Sdf unite(Sdf a, Sdf b);
Sdf subtract(Sdf a, Sdf b);
Sdf intersect(Sdf a, Sdf b);
Sdf offset(Sdf a, float by);  // grows the shape by `by` pixels
Sdf star(float cx, float cy, float outer, float inner, int points, float rotation);

// Shaders.
Shader solid(const Rgba& c);
Shader linear(float x0, float y0, const Rgba& c0, float x1, float y1, const Rgba& c1);
Shader radial(float cx, float cy, float r, const Rgba& inner, const Rgba& outer);

// Deterministic value noise in 0..1 (smooth, tileable only by accident).
float noise2(float x, float y, uint32_t seed);
// Fractal sum of octaves of noise2, in 0..1.
float fbm(float x, float y, uint32_t seed, int octaves);
// Integer hash to 0..1, for scattering.
float hash01(uint32_t a, uint32_t b = 0, uint32_t c = 0);

}  // namespace zbgen
