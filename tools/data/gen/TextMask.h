#pragma once
#include <string>
#include <vector>

#include "tools/data/gen/Canvas.h"

// Letters for the pictures come from a real font (Liberation Sans Bold,
// through the platform's text rendering) as coverage masks, then get
// outlines, shadows and fills here.
namespace zbgen {

struct Mask {
  int w = 0, h = 0;
  std::vector<float> v;  // coverage 0..1, rows top to bottom
  float at(int x, int y) const { return x < 0 || y < 0 || x >= w || y >= h ? 0.0f : v[static_cast<size_t>(y) * w + x]; }
};

constexpr const char* kLetterFace = "Liberation Sans";

// The text rendered in white on black at the given pixel height; an empty
// mask (w == 0) when no font could be opened.
Mask textMask(const std::string& text, int pixelHeight, bool bold = true);
// The mask grown by r pixels (antialiased edge).
Mask dilate(const Mask& m, float r);
// A mask with `pad` empty pixels on every side.
Mask padded(const Mask& m, int pad);
// Rows [top, bottom) of the mask.
Mask rows(const Mask& m, int top, int bottom);

// Paints the mask onto the canvas at (x, y) with the shader.
void paintMask(Canvas& c, const Mask& m, int x, int y, const Shader& shade, float opacity = 1.0f);

// Lettering with an outline, a soft drop shadow and a vertical fill
// gradient, as used by every titled picture.
struct LetterStyle {
  Rgba top, bottom, outline;
  float outlineWidth = 2;
  float shadowOpacity = 0.5f;
  int shadowOffset = 2;
};
// The styled letters of a mask on a canvas of the mask's size (the mask
// should be padded for outline and shadow).
Canvas styledLetters(const Mask& m, const LetterStyle& st);

}  // namespace zbgen
