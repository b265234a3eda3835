// Hands generated clips to the project's clip writer.
#include <cmath>
#include <cstring>

#include "gfx/ClipWriter.h"
#include "platform/Files.h"
#include "tools/data/gen/ClipRecipe.h"

namespace zbgen {
namespace {

int kindFor(Store s) {
  switch (s) {
    case Store::Raw: return ClipWriter::kRaw;
    case Store::RawAlpha: return ClipWriter::kRawAlpha;
    case Store::Jpeg: return ClipWriter::kJpeg;
    case Store::JpegAlpha: return ClipWriter::kJpegAlpha;
  }
  return ClipWriter::kRaw;
}

// The average colour of the visible pixels: what hidden pixels of a JPEG
// with alpha get, so compression does not smear a key colour into edges.
uint32_t averageColour(const Canvas& pic) {
  double r = 0, g = 0, b = 0, w = 0;
  for (int y = 0; y < pic.height(); ++y)
    for (int x = 0; x < pic.width(); ++x) {
      const Rgba& c = pic.at(x, y);
      r += c.r * c.a, g += c.g * c.a, b += c.b * c.a, w += c.a;
    }
  if (w <= 0) return 0;
  auto q = [&](double v) { return static_cast<uint32_t>(std::lround(v / w * 255)); };
  return (q(r) << 16) | (q(g) << 8) | q(b);
}

// Pictures stored without an alpha plane are flattened onto dark grout, so
// soft or transparent edges never show the key colour.
Canvas flattened(const Canvas& pic) {
  Canvas out(pic.width(), pic.height(), rgb(0x1A1612));
  out.draw(pic, 0, 0);
  return out;
}

bool toBitmap(const ClipImage& ci, OBitmap& bmp) {
  bool alphaPlane = ci.store == Store::RawAlpha || ci.store == Store::JpegAlpha;
  const Canvas pic = alphaPlane ? ci.pic : flattened(ci.pic);
  if (!bmp.create(pic.width(), pic.height())) return false;
  std::vector<uint8_t> bgr, alpha;
  uint32_t hidden = ci.store == Store::JpegAlpha ? averageColour(pic) : kKeyColour;
  toBgr(pic, bgr, alpha, hidden);
  for (int r = 0; r < pic.height(); ++r)
    std::memcpy(bmp.rowAddress(r), bgr.data() + static_cast<size_t>(r) * pic.width() * 3,
                static_cast<size_t>(pic.width()) * 3);
  if (alphaPlane) {
    bmp.createAlpha(255);
    std::memcpy(bmp.alphaPlane(), alpha.data(), alpha.size());
  }
  bmp.markPixelsChanged();
  return true;
}

}  // namespace

bool writeClip(const std::string& path, const ClipRecipe& clip) {
  ClipWriter w;
  for (const ClipImage& ci : clip.images) {
    OBitmap bmp;
    if (!toBitmap(ci, bmp)) return false;
    w.addImage(bmp, kindFor(ci.store), ci.quality);
  }
  for (const auto& seq : clip.sequences) {
    int s = w.addSequence();
    for (const ClipFrame& f : seq) {
      ::ClipFrame rec;
      rec.x = f.x, rec.y = f.y, rec.image = f.image, rec.key = f.key;
      rec.action = f.action, rec.arg1 = f.arg1, rec.arg2 = f.arg2;
      w.addFrame(s, rec);
    }
  }
  if (!zb::makeParentDirs(path)) return false;
  return w.save(path);
}

}  // namespace zbgen
