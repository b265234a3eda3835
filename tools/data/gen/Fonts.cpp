// The four letter sets. Each holds 73 sequences: 0-9, A-Z, "-", "!", "?",
// then for the translations the Latin-1 marks and letters "\xA1" "\xBF",
// the capitals "\xC0" to "\xDE" (without the multiplication sign),
// "\xDF" (the sharp s) and the apostrophe; small letters share the
// capitals' glyphs.
// A glyph's frames: 0 the letter, stopped there; 1-3 a rolling blur that
// loops (for counters that roll); 4 the letter again, stopped (where a
// rolling counter comes to rest).
#include <algorithm>

#include "tools/data/gen/Pictures.h"
#include "tools/data/gen/TextMask.h"

namespace zbgen {
namespace {

struct FontRole {
  int pixelHeight;
  LetterStyle style;
};

FontRole roleFor(int set) {
  switch (set) {
    case 0:  // buttons and big captions: warm gold
      return {34, {rgb(0xFFEFB8), rgb(0xE39A2E), rgb(0x3A2410), 2.2f, 0.55f, 2}};
    case 1:  // demo and replay captions: pale jade
      return {21, {rgb(0xF0FFF6), rgb(0x7ED3AE), rgb(0x10352A), 1.6f, 0.5f, 1}};
    case 2:  // titles: cream to vermilion
      return {42, {rgb(0xFFF6E2), rgb(0xF0823A), rgb(0x2A1408), 2.8f, 0.6f, 3}};
    default:  // panel captions, rows and labels: sand cream
      return {17, {rgb(0xFFFAEE), rgb(0xE6CD96), rgb(0x2B2118), 1.5f, 0.45f, 1}};
  }
}

// Latin-1 characters in sequence order.
std::string glyphCharacters() {
  std::string out = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-!?\xA1\xBF";
  for (int c = 0xC0; c <= 0xDF; ++c)
    if (c != 0xD7) out += static_cast<char>(c);
  return out + "'";
}
// The first glyphs set the cell: the accented letters are fitted into it.
constexpr int kBaseGlyphs = 39;


// The columns of a mask that hold ink.
Mask inkColumns(const Mask& m) {
  int left = m.w, right = 0;
  for (int y = 0; y < m.h; ++y)
    for (int x = 0; x < m.w; ++x)
      if (m.at(x, y) > 0) left = std::min(left, x), right = std::max(right, x + 1);
  if (right <= left) return m;
  Mask out;
  out.w = right - left, out.h = m.h;
  for (int y = 0; y < m.h; ++y)
    for (int x = left; x < right; ++x) out.v.push_back(m.at(x, y));
  return out;
}

// Squeezes a mask horizontally to `width` columns (box filter).
Mask squeezed(const Mask& m, int width) {
  Mask out;
  out.w = width, out.h = m.h;
  out.v.assign(static_cast<size_t>(width) * m.h, 0.0f);
  float k = static_cast<float>(m.w) / width;
  for (int y = 0; y < m.h; ++y)
    for (int x = 0; x < width; ++x) {
      float sum = 0, x0 = x * k, x1 = (x + 1) * k;
      for (int i = static_cast<int>(x0); i < std::min(m.w, static_cast<int>(x1) + 1); ++i)
        sum += m.at(i, y) * std::max(0.0f, std::min<float>(i + 1, x1) - std::max<float>(i, x0));
      out.v[static_cast<size_t>(y) * width + x] = sum / k;
    }
  return out;
}

// Scales a mask to `height` rows and the same proportion of columns.
Mask scaledTo(const Mask& m, int height) {
  Mask tall = m;
  int width = std::max(1, m.w * height / std::max(1, m.h));
  if (width < m.w) tall = squeezed(m, width);
  // Squeezing the columns of the transposed mask squeezes the rows.
  Mask t;
  t.w = tall.h, t.h = tall.w;
  t.v.resize(tall.v.size());
  for (int y = 0; y < tall.h; ++y)
    for (int x = 0; x < tall.w; ++x) t.v[static_cast<size_t>(x) * t.w + y] = tall.at(x, y);
  Mask s = squeezed(t, height);
  Mask out;
  out.w = s.h, out.h = s.w;
  out.v.resize(s.v.size());
  for (int y = 0; y < out.h; ++y)
    for (int x = 0; x < out.w; ++x) out.v[static_cast<size_t>(y) * out.w + x] = s.at(y, x);
  return out;
}

// Rows [top, bottom) of a glyph mask; a glyph whose marks reach above or
// below them (accents, cedillas, inverted marks) is shrunk to fit, so every
// glyph keeps the cell height the texts are laid out with.
Mask fittedRows(const Mask& m, int top, int bottom) {
  int inkTop = m.h, inkBottom = 0;
  for (int y = 0; y < m.h; ++y)
    for (int x = 0; x < m.w; ++x)
      if (m.at(x, y) > 0) inkTop = std::min(inkTop, y), inkBottom = std::max(inkBottom, y + 1);
  if (inkTop >= top && inkBottom <= bottom) return rows(m, top, bottom);
  const int from = std::min(inkTop, top), to = std::max(inkBottom, bottom);
  return scaledTo(rows(m, from, to), bottom - top);
}

}  // namespace

ClipRecipe letterSet(int set) {
  FontRole role = roleFor(set);
  int pad = static_cast<int>(role.style.outlineWidth + 0.99f) + 1;
  const std::string glyphs = glyphCharacters();
  std::vector<Mask> masks;
  int top = 1 << 20, bottom = 0;
  for (size_t g = 0; g < glyphs.size(); ++g) {
    masks.push_back(inkColumns(textMask(std::string(1, glyphs[g]), role.pixelHeight)));
    const Mask& m = masks.back();
    if (g >= kBaseGlyphs) continue;
    for (int y = 0; y < m.h; ++y)
      for (int x = 0; x < m.w; ++x)
        if (m.at(x, y) > 0) top = std::min(top, y), bottom = std::max(bottom, y + 1);
  }
  ClipRecipe clip;
  if (masks[0].w == 0) return clip;  // no font: the caller reports it
  // The cell is as wide as "H"; the few wider letters (M, W) are squeezed
  // to it, so the letters of a text sit close like a typeset word.
  int cellW = masks[17].w;
  for (size_t g = 0; g < glyphs.size(); ++g) {
    // Every glyph sits centred in a cell of one size, cropped to the rows
    // the letters use, so all glyphs share one baseline.
    Mask src = fittedRows(masks[g], top, bottom);
    if (src.w > cellW) src = squeezed(src, cellW);
    Mask cell;
    cell.w = cellW, cell.h = bottom - top;
    cell.v.assign(static_cast<size_t>(cell.w) * cell.h, 0.0f);
    int dx = (cellW - src.w) / 2;
    for (int y = 0; y < cell.h; ++y)
      for (int x = 0; x < src.w; ++x) cell.v[static_cast<size_t>(y) * cell.w + x + dx] = src.at(x, y);
    Mask framed = padded(cell, pad);
    // Room for the shadow on the right and below.
    Mask withShadow;
    withShadow.w = framed.w + role.style.shadowOffset, withShadow.h = framed.h + role.style.shadowOffset;
    withShadow.v.assign(static_cast<size_t>(withShadow.w) * withShadow.h, 0.0f);
    for (int y = 0; y < framed.h; ++y)
      for (int x = 0; x < framed.w; ++x) withShadow.v[static_cast<size_t>(y) * withShadow.w + x] = framed.at(x, y);
    Canvas letter = styledLetters(withShadow, role.style);
    int crisp = clip.add(letter);
    std::vector<ClipFrame> seq;
    ClipFrame f0;
    f0.image = crisp, f0.action = 1;
    seq.push_back(f0);
    const int shifts[3] = {-cell.h / 4, 0, cell.h / 4};
    for (int k = 0; k < 3; ++k) {
      Canvas blurred(letter.width(), letter.height());
      blurred.draw(letter, 0, shifts[k]);
      blurred.draw(letter, 0, shifts[k] + cell.h / 8, 0.5f);
      blurred.blur(1);
      ClipFrame f;
      f.image = clip.add(blurred);
      if (k == 2) f.action = 3, f.arg1 = 1, f.arg2 = -1;
      seq.push_back(f);
    }
    ClipFrame last = f0;
    seq.push_back(last);
    clip.sequences.push_back(seq);
  }
  return clip;
}

}  // namespace zbgen
