#include <algorithm>
#include <cstdlib>

#include "gfx/OBitmap.h"
#include "platform/TextRender.h"

namespace {

// Points to pixels at the classic 96 pixels per inch, rounded as the
// system's multiply-divide does (size 13 gives 17 pixels).
zb::TextFont fontFor(const OTextStyle& style) {
  zb::TextFont font;
  font.face = style.face.empty() ? "Arial" : style.face;
  const long long size = std::llabs(static_cast<long long>(style.size));
  font.pixelHeight = int(std::clamp<long long>((size * 96 + 36) / 72, 1, 512));
  font.bold = style.flags & kTextBold;
  font.italic = style.flags & kTextItalic;
  font.underline = style.flags & kTextUnderline;
  return font;
}

}  // namespace

OTextStyle& OBitmap::textStyle() {
  static OTextStyle style;
  return style;
}

OSize OBitmap::textExtent(const std::string& text) {
  OSize size;
  if (!zb::measureText(fontFor(textStyle()), text, size.width, size.height)) return OSize{};
  return size;
}

void OBitmap::drawText(OBitmap& image, const std::string& text, int x, int y) {
  if (!image.valid() || text.empty()) return;
  const OTextStyle& style = textStyle();
  zb::TextPixels pixels;
  if (!zb::renderText(fontFor(style), text, style.textColour, style.backColour, pixels)) return;
  // Text coordinates count the spare row above the section as row 0, so the
  // text's top lands on image row y - 1. Clip to the image's columns and to
  // its rows plus that spare row, never into neighbouring images.
  DibSection& section = *image.data_->section;
  const int ox = image.data_->originX;
  image.markPixelsChanged();
  for (int j = 0; j < pixels.height; ++j) {
    const long long row = static_cast<long long>(y) - 1 + j;
    if (row < -1 || row >= image.height()) continue;
    uint8_t* d = row < 0 ? section.spareRow() + size_t(ox) * 3 : section.row(int(row)) + size_t(ox) * 3;
    const uint8_t* s = pixels.rgb.data() + size_t(j) * size_t(pixels.width) * 3;
    for (int i = 0; i < pixels.width; ++i) {
      const long long col = static_cast<long long>(x) + i;
      if (col < 0 || col >= image.width()) continue;
      d[col * 3] = s[i * 3 + 2];
      d[col * 3 + 1] = s[i * 3 + 1];
      d[col * 3 + 2] = s[i * 3];
    }
  }
}
