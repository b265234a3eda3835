#include "tools/data/gen/TextMask.h"

#include <algorithm>
#include <cmath>

#include "platform/TextRender.h"

namespace zbgen {

Mask textMask(const std::string& text, int pixelHeight, bool bold) {
  zb::TextFont font;
  font.face = kLetterFace;
  font.pixelHeight = pixelHeight;
  font.bold = bold;
  zb::TextPixels px;
  Mask m;
  if (!zb::renderText(font, text, 0xFFFFFF, 0x000000, px) || px.width <= 0) return m;
  m.w = px.width, m.h = px.height;
  m.v.resize(static_cast<size_t>(m.w) * m.h);
  for (size_t i = 0; i < m.v.size(); ++i) m.v[i] = px.rgb[3 * i + 1] / 255.0f;
  return m;
}

Mask dilate(const Mask& m, float r) {
  Mask out = m;
  int ir = static_cast<int>(std::ceil(r));
  for (int y = 0; y < m.h; ++y)
    for (int x = 0; x < m.w; ++x) {
      float best = 0;
      for (int dy = -ir; dy <= ir; ++dy)
        for (int dx = -ir; dx <= ir; ++dx) {
          float d = std::hypot(static_cast<float>(dx), static_cast<float>(dy));
          float w = clamp01(r + 0.5f - d);  // partial weight at the rim
          if (w > 0) best = std::max(best, m.at(x + dx, y + dy) * w);
        }
      out.v[static_cast<size_t>(y) * m.w + x] = best;
    }
  return out;
}

Mask padded(const Mask& m, int pad) {
  Mask out;
  out.w = m.w + 2 * pad, out.h = m.h + 2 * pad;
  out.v.assign(static_cast<size_t>(out.w) * out.h, 0.0f);
  for (int y = 0; y < m.h; ++y)
    for (int x = 0; x < m.w; ++x) out.v[static_cast<size_t>(y + pad) * out.w + x + pad] = m.at(x, y);
  return out;
}

Mask rows(const Mask& m, int top, int bottom) {
  Mask out;
  out.w = m.w, out.h = std::max(0, bottom - top);
  out.v.assign(static_cast<size_t>(out.w) * out.h, 0.0f);
  for (int y = 0; y < out.h; ++y)
    for (int x = 0; x < m.w; ++x) out.v[static_cast<size_t>(y) * out.w + x] = m.at(x, y + top);
  return out;
}

void paintMask(Canvas& c, const Mask& m, int x, int y, const Shader& shade, float opacity) {
  for (int j = 0; j < m.h; ++j)
    for (int i = 0; i < m.w; ++i) {
      float a = m.at(i, j) * opacity;
      if (a > 0) c.blend(x + i, y + j, shade(x + i + 0.5f, y + j + 0.5f), a);
    }
}

Canvas styledLetters(const Mask& m, const LetterStyle& st) {
  Canvas c(m.w, m.h);
  Mask outline = dilate(m, st.outlineWidth);
  if (st.shadowOpacity > 0) {
    Canvas sh(m.w, m.h);
    paintMask(sh, outline, st.shadowOffset, st.shadowOffset, solid({0.05f, 0.03f, 0.02f, 1}));
    sh.blur(1);
    c.draw(sh, 0, 0, st.shadowOpacity);
  }
  paintMask(c, outline, 0, 0, solid(st.outline));
  // Fill: the gradient runs over the rows the letters use.
  int top = m.h, bottom = 0;
  for (int y = 0; y < m.h; ++y)
    for (int x = 0; x < m.w; ++x)
      if (m.at(x, y) > 0.2f) top = std::min(top, y), bottom = std::max(bottom, y);
  if (bottom < top) top = 0, bottom = m.h;
  Shader fill = linear(0, static_cast<float>(top), st.top, 0, static_cast<float>(bottom), st.bottom);
  paintMask(c, m, 0, 0, fill);
  return c;
}

}  // namespace zbgen
