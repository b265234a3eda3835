#include "tools/data/gen/ClipRecipe.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace zbgen {

int ClipRecipe::add(Canvas pic, Store store, int quality) {
  images.push_back({std::move(pic), store, quality});
  return static_cast<int>(images.size()) - 1;
}

int ClipRecipe::keyFor(int image) const {
  Store s = images[static_cast<size_t>(image)].store;
  return s == Store::RawAlpha || s == Store::JpegAlpha ? static_cast<int>(kKeyColour) : kNoKey;
}

std::vector<ClipFrame> ClipRecipe::single(int image) const {
  ClipFrame f;
  f.image = image;
  f.key = keyFor(image);
  return {f};
}

void toBgr(const Canvas& pic, std::vector<uint8_t>& bgr, std::vector<uint8_t>& alpha, uint32_t keyColour) {
  size_t n = static_cast<size_t>(pic.width()) * pic.height();
  bgr.assign(n * 3, 0);
  alpha.assign(n, 255);
  for (int y = 0; y < pic.height(); ++y)
    for (int x = 0; x < pic.width(); ++x) {
      const Rgba& c = pic.at(x, y);
      size_t i = static_cast<size_t>(y) * pic.width() + x;
      int a = static_cast<int>(std::lround(clamp01(c.a) * 255));
      alpha[i] = static_cast<uint8_t>(255 - a);
      if (a == 0) {
        bgr[3 * i] = keyColour & 255, bgr[3 * i + 1] = (keyColour >> 8) & 255, bgr[3 * i + 2] = (keyColour >> 16) & 255;
        continue;
      }
      uint8_t r = static_cast<uint8_t>(std::lround(clamp01(c.r) * 255));
      uint8_t g = static_cast<uint8_t>(std::lround(clamp01(c.g) * 255));
      uint8_t b = static_cast<uint8_t>(std::lround(clamp01(c.b) * 255));
      // An opaque pixel must never equal the key colour.
      if (((r << 16) | (g << 8) | b) == static_cast<int>(keyColour)) g ^= 1;
      bgr[3 * i] = b, bgr[3 * i + 1] = g, bgr[3 * i + 2] = r;
    }
}

Canvas contactSheet(const ClipRecipe& clip, int maxWidth) {
  std::vector<std::vector<ClipFrame>> seqs = clip.sequences;
  if (seqs.empty()) {
    seqs.emplace_back();
    for (size_t i = 0; i < clip.images.size(); ++i) seqs.back().push_back({static_cast<int>(i), 0, 0});
  }
  // Lay the frames out row by row (one row per sequence, wrapping).
  const int pad = 6;
  int x = pad, y = pad, rowH = 0, width = pad;
  struct Place {
    int image, x, y;
  };
  std::vector<Place> places;
  for (const auto& seq : seqs) {
    for (const ClipFrame& f : seq) {
      const Canvas& p = clip.images[static_cast<size_t>(f.image)].pic;
      if (x + p.width() + pad > maxWidth && x > pad) x = pad, y += rowH + pad, rowH = 0;
      places.push_back({f.image, x + f.x, y + f.y});
      x += p.width() + f.x + pad;
      rowH = std::max(rowH, p.height() + f.y);
      width = std::max(width, x);
    }
    x = pad, y += rowH + pad, rowH = 0;
  }
  Canvas sheet(std::max(width, 16), std::max(y, 16));
  for (int j = 0; j < sheet.height(); ++j)
    for (int i = 0; i < sheet.width(); ++i)
      sheet.at(i, j) = ((i / 8 + j / 8) % 2) ? rgb(0x9A9A9A) : rgb(0x6A6A6A);
  for (const Place& p : places) sheet.draw(clip.images[static_cast<size_t>(p.image)].pic, p.x, p.y);
  return sheet;
}

namespace {
uint32_t crc32(const uint8_t* p, size_t n, uint32_t c = 0xFFFFFFFFu) {
  for (size_t i = 0; i < n; ++i) {
    c ^= p[i];
    for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1)));
  }
  return c;
}
void be32(std::vector<uint8_t>& o, uint32_t v) {
  for (int i = 3; i >= 0; --i) o.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void chunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
  be32(out, static_cast<uint32_t>(data.size()));
  size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  be32(out, crc32(out.data() + start, out.size() - start) ^ 0xFFFFFFFFu);
}
}  // namespace

bool writePng(const std::string& path, const Canvas& pic) {
  int w = pic.width(), h = pic.height();
  std::vector<uint8_t> raw;
  for (int y = 0; y < h; ++y) {
    raw.push_back(0);
    for (int x = 0; x < w; ++x) {
      const Rgba& c = pic.at(x, y);
      raw.push_back(static_cast<uint8_t>(std::lround(clamp01(c.r) * 255)));
      raw.push_back(static_cast<uint8_t>(std::lround(clamp01(c.g) * 255)));
      raw.push_back(static_cast<uint8_t>(std::lround(clamp01(c.b) * 255)));
      raw.push_back(static_cast<uint8_t>(std::lround(clamp01(c.a) * 255)));
    }
  }
  // zlib stream of stored blocks.
  std::vector<uint8_t> z = {0x78, 0x01};
  uint32_t a = 1, b = 0;
  for (uint8_t v : raw) a = (a + v) % 65521, b = (b + a) % 65521;
  for (size_t pos = 0; pos < raw.size() || pos == 0;) {
    size_t n = std::min<size_t>(65535, raw.size() - pos);
    bool last = pos + n >= raw.size();
    z.push_back(last ? 1 : 0);
    z.push_back(n & 255), z.push_back(n >> 8), z.push_back(~n & 255), z.push_back((~n >> 8) & 255);
    z.insert(z.end(), raw.begin() + static_cast<long>(pos), raw.begin() + static_cast<long>(pos + n));
    pos += n;
    if (last) break;
  }
  be32(z, (b << 16) | a);
  std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> ihdr;
  be32(ihdr, static_cast<uint32_t>(w));
  be32(ihdr, static_cast<uint32_t>(h));
  ihdr.insert(ihdr.end(), {8, 6, 0, 0, 0});
  chunk(out, "IHDR", ihdr);
  chunk(out, "IDAT", z);
  chunk(out, "IEND", {});
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace zbgen
