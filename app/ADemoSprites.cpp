#include "app/ADemoSprites.h"

#include <algorithm>
#include <cmath>

namespace ademo {
namespace {

constexpr uint32_t kKey = 0xFF00FF;

uint32_t scale(uint32_t colour, double f) {
  auto ch = [&](int shift) {
    double v = ((colour >> shift) & 0xFF) * f;
    return static_cast<uint32_t>(std::clamp(v, 0.0, 255.0)) << shift;
  };
  return ch(16) | ch(8) | ch(0);
}

std::unique_ptr<OBitmap> blank(int w, int h, int64_t fill) {
  auto img = std::make_unique<OBitmap>();
  img->create(w, h, fill);
  return img;
}

}  // namespace

std::unique_ptr<OBitmap> makeBall(int size, uint32_t colour) {
  auto img = blank(size, size, 0);
  img->createAlpha(255);
  uint8_t* alpha = img->alphaPlane();
  double r = size / 2.0;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      double dx = x + 0.5 - r, dy = y + 0.5 - r;
      double d = std::sqrt(dx * dx + dy * dy);
      if (d > r) continue;
      // Light from the top left; the rim fades out over two pixels.
      double light = 0.55 + 0.6 * std::max(0.0, 1.0 - std::hypot(dx + r * 0.35, dy + r * 0.35) / (r * 1.3));
      img->setPixel(x, y, scale(colour, light));
      double edge = std::clamp((r - d) / 2.0, 0.0, 1.0);
      alpha[y * size + x] = static_cast<uint8_t>(255 - edge * 255);
    }
  img->markPixelsChanged();
  return img;
}

std::unique_ptr<OBitmap> makeStar(int size, uint32_t colour) {
  auto img = blank(size, size, kKey);
  double c = size / 2.0;
  const double kPi = 3.14159265358979;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      double dx = x + 0.5 - c, dy = y + 0.5 - c;
      double a = std::atan2(dy, dx) + kPi / 2;
      double d = std::hypot(dx, dy);
      // Radius swings between inner and outer points five times around.
      double t = std::fabs(std::fmod(a * 5 / (2 * kPi) + 10.5, 1.0) - 0.5) * 2;
      double limit = c * (0.42 + 0.55 * t);
      if (d < limit) img->setPixel(x, y, d < limit - 3 ? colour : scale(colour, 0.5));
    }
  img->setColourKey(kKey);
  return img;
}

std::unique_ptr<OBitmap> makeBar(int size, double angle, uint32_t colour) {
  auto img = blank(size, size, kKey);
  double c = size / 2.0, ca = std::cos(angle), sa = std::sin(angle);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      double dx = x + 0.5 - c, dy = y + 0.5 - c;
      double along = dx * ca + dy * sa, across = -dx * sa + dy * ca;
      if (std::fabs(along) < c - 2 && std::fabs(across) < size / 10.0)
        img->setPixel(x, y, std::fabs(along) > c - 10 ? 0xFFFFFF : colour);
    }
  img->setColourKey(kKey);
  return img;
}

std::unique_ptr<OBitmap> makeChecker(int width, int height, int cell, uint32_t a, uint32_t b) {
  auto img = blank(width, height, a);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (((x / cell) + (y / cell)) % 2) img->setPixel(x, y, b);
  return img;
}

std::unique_ptr<OBitmap> makeText(const std::string& text, uint32_t colour, int points, bool bold) {
  OTextStyle& style = OBitmap::textStyle();
  OTextStyle saved = style;
  style.size = points;
  style.flags = bold ? kTextBold : 0;
  style.textColour = colour;
  OSize size = OBitmap::textExtent(text);
  auto onBlack = blank(std::max(size.width, 1), std::max(size.height, 1), 0);
  auto onWhite = blank(std::max(size.width, 1), std::max(size.height, 1), 0xFFFFFF);
  // Text lands one row above the y given, so y = 1 puts it at the top.
  style.backColour = 0;
  OBitmap::drawText(*onBlack, text, 0, 1);
  style.backColour = 0xFFFFFF;
  OBitmap::drawText(*onWhite, text, 0, 1);
  style = saved;
  OBitmap::alphaFromPair(*onBlack, *onWhite);
  return onBlack;
}

std::unique_ptr<OBitmap> makeButtonFace(int width, int height, uint32_t panel, const std::string& label) {
  auto img = blank(width, height, kKey);
  const int radius = 8;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      int cx = std::clamp(x, radius, width - 1 - radius), cy = std::clamp(y, radius, height - 1 - radius);
      double d = std::hypot(x - cx, y - cy);
      if (d <= radius) img->setPixel(x, y, d > radius - 2 ? scale(panel, 1.6) : scale(panel, 1.0 - 0.3 * y / height));
    }
  img->setColourKey(kKey);
  auto text = makeText(label, 0xFFFFFF, 12, true);
  OBitmap::draw(*img, *text, (width - text->width()) / 2, (height - text->height()) / 2);
  return img;
}

}  // namespace ademo
