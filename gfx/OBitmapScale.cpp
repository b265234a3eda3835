#include <algorithm>
#include <cmath>
#include <vector>

#include "gfx/OBitmap.h"

namespace {

struct Tap {
  int index;
  float weight;
};

// Source taps of every destination index along one axis: the covered
// source cells weighted by coverage when shrinking, the two nearest cell
// centres (linear) when enlarging. Weights of each destination sum to 1.
std::vector<std::vector<Tap>> axisTaps(int from, int to) {
  std::vector<std::vector<Tap>> taps(static_cast<size_t>(to));
  const double scale = double(from) / double(to);
  for (int d = 0; d < to; ++d) {
    auto& list = taps[size_t(d)];
    if (scale >= 1.0) {
      const double a = d * scale, b = (d + 1) * scale;
      for (int s = int(a); s < from && s < b; ++s) {
        const double cover = std::min<double>(b, s + 1) - std::max<double>(a, s);
        if (cover > 0) list.push_back({s, float(cover / scale)});
      }
    } else {
      const double c = std::clamp((d + 0.5) * scale - 0.5, 0.0, double(from - 1));
      const int s0 = int(c);
      const int s1 = std::min(s0 + 1, from - 1);
      const float t = float(c - s0);
      list.push_back({s0, 1 - t});
      if (s1 != s0 && t > 0) list.push_back({s1, t});
    }
  }
  return taps;
}

}  // namespace

// Colours are averaged weighted by opacity, so transparent pixels (alpha 255
// or the colour key) do not bleed their colour into the edges of the picture.
bool OBitmap::scale(OBitmap& image, const OBitmap& src, int width, int height) {
  if (!src.valid() || width < 1 || height < 1 || &image == &src) return false;
  OBitmap out;
  if (!out.create(width, height, src.fillColour)) return false;
  const bool alpha = src.hasAlpha();
  const int key = src.colourKey;
  const bool keyed = !alpha && key >= 0 && key <= 0xFFFFFF;
  if (alpha) out.createAlpha(255);
  const auto tx = axisTaps(src.width(), width), ty = axisTaps(src.height(), height);
  for (int y = 0; y < height; ++y) {
    uint8_t* d = out.rowAddress(y);
    for (int x = 0; x < width; ++x) {
      float sum[3] = {0, 0, 0}, plain[3] = {0, 0, 0}, opacity = 0;
      for (const Tap& v : ty[size_t(y)]) {
        const uint8_t* row = src.rowAddress(v.index);
        for (const Tap& h : tx[size_t(x)]) {
          const uint8_t* p = row + h.index * 3;
          const float w = v.weight * h.weight;
          float op = 1;
          if (alpha) op = (255 - src.alphaAt(h.index, v.index)) / 255.0f;
          else if (keyed && (p[0] | p[1] << 8 | p[2] << 16) == key) op = 0;
          for (int c = 0; c < 3; ++c) {
            sum[c] += w * op * p[c];
            plain[c] += w * p[c];
          }
          opacity += w * op;
        }
      }
      uint8_t colour[3];
      for (int c = 0; c < 3; ++c) {
        const float v = opacity > 1e-6f ? sum[c] / opacity : plain[c];
        colour[c] = uint8_t(std::clamp(std::lround(v), 0L, 255L));
      }
      if (keyed) {
        const uint32_t k = uint32_t(key);
        if (opacity < 0.5f) {
          colour[0] = k & 0xFF, colour[1] = (k >> 8) & 0xFF, colour[2] = (k >> 16) & 0xFF;
        } else if ((colour[0] | colour[1] << 8 | colour[2] << 16) == key) {
          colour[0] ^= 1;  // a mixed colour must not turn transparent
        }
      }
      std::copy(colour, colour + 3, d + x * 3);
      if (alpha) out.alphaPlane()[size_t(y) * size_t(width) + size_t(x)] =
          uint8_t(std::clamp(std::lround(255 - opacity * 255), 0L, 255L));
    }
  }
  out.xOffset = src.xOffset;
  out.yOffset = src.yOffset;
  std::copy(std::begin(src.carried), std::end(src.carried), out.carried);
  out.blendLevel = src.blendLevel;
  out.colourKey = src.colourKey;
  out.action = src.action;
  out.arg1 = src.arg1;
  out.arg2 = src.arg2;
  image = out;
  return true;
}
