// zenbox-data commands over clip picture files: a listing of the layout and
// a contact sheet of every frame.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "gfx/ClipFormat.h"
#include "gfx/OClip.h"
#include "platform/PngWriter.h"
#include "tools/data/Command.h"

namespace {

namespace cf = zb::clipfile;

bool readFile(const std::string& path, std::vector<uint8_t>& out) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  uint8_t buf[65536];
  size_t got;
  while ((got = std::fread(buf, 1, sizeof buf, f)) > 0) out.insert(out.end(), buf, buf + got);
  const bool ok = !std::ferror(f);
  std::fclose(f);
  return ok;
}

// Walks the file layout without decoding pixels and prints it. Returns false
// where the layout breaks off.
class LayoutPrinter {
public:
  explicit LayoutPrinter(const std::vector<uint8_t>& b) : b_(b) {}

  bool run() {
    if (b_.size() < size_t(cf::kHeaderSize)) return fail("file shorter than the 28-byte header");
    const bool sig = std::memcmp(b_.data(), cf::kSignature, 12) == 0;
    pos_ = 12;
    int32_t n = 0, s = 0, section = 0, reserved = 0;
    i32(n), i32(s), i32(section), i32(reserved);
    std::printf("signature: %s\nimages: %d\nsequences: %d\nshared section: ", sig ? "ok" : "WRONG", n, s);
    if (section == 0)
      std::printf("none\n");
    else
      std::printf("%u x %u\n", uint32_t(section) >> 16, uint32_t(section) & 0xFFFF);
    if (!sig) return false;
    if (n < 0 || n > cf::kMaxImages) return fail("image count outside 0..1000");
    for (int i = 0; i < n; ++i)
      if (!image(i)) return false;
    if (s < 0) return fail("negative sequence count");
    for (int k = 0; k < s; ++k)
      if (!sequence(k, n)) return false;
    if (pos_ != b_.size()) std::printf("%zu trailing bytes\n", b_.size() - pos_);
    return true;
  }

private:
  bool fail(const char* why) {
    std::printf("damaged at byte %zu: %s\n", pos_, why);
    return false;
  }
  bool i32(int32_t& v) {
    if (b_.size() - pos_ < 4) return false;
    v = int32_t(uint32_t(b_[pos_]) | uint32_t(b_[pos_ + 1]) << 8 | uint32_t(b_[pos_ + 2]) << 16 |
                uint32_t(b_[pos_ + 3]) << 24);
    pos_ += 4;
    return true;
  }
  bool skip(uint64_t n) {
    if (n > b_.size() - pos_) return false;
    pos_ += size_t(n);
    return true;
  }
  bool image(int i) {
    int32_t w = 0, h = 0, kind = 0;
    if (!i32(w) || !i32(h) || !i32(kind)) return fail("image record cut short");
    std::printf("image %d: %d x %d, kind %d (%s%s)", i, w, h, kind, cf::isJpegKind(kind) ? "JPEG" : "raw",
                cf::hasAlphaPlane(kind) ? " + alpha" : "");
    if (w < 1 || h < 1 || w > cf::kMaxImageSide || h > cf::kMaxImageSide) {
      std::printf("\n");
      return fail("image size outside 1..8192");
    }
    if (cf::isJpegKind(kind)) {
      int32_t plain = 0, stored = 0;
      if (!i32(plain) || !i32(stored)) return fail("payload lengths cut short");
      std::printf(", payload %d bytes (%d enciphered)", plain, stored);
      if (stored < 0 || !skip(uint64_t(stored))) return fail("payload cut short");
    } else if (!skip(uint64_t(w) * uint64_t(h) * 3)) {
      std::printf("\n");
      return fail("pixels cut short");
    }
    std::printf("\n");
    if (cf::hasAlphaPlane(kind) && !skip(uint64_t(w) * uint64_t(h))) return fail("alpha plane cut short");
    return true;
  }
  bool sequence(int k, int n) {
    int32_t frames = 0;
    if (!i32(frames) || frames < 0) return fail("frame count missing or negative");
    std::printf("sequence %d: %d frames\n", k, frames);
    for (int f = 0; f < frames; ++f) {
      int32_t r[7];
      for (int32_t& v : r)
        if (!i32(v)) return fail("frame record cut short");
      char key[24];
      if (r[3] == -1 || r[3] > 0xFFFFFF)
        std::snprintf(key, sizeof key, "top-left");
      else if (r[3] < 0)
        std::snprintf(key, sizeof key, "none");
      else
        std::snprintf(key, sizeof key, "0x%06X", unsigned(r[3]));
      std::printf("  frame %d: image %d at (%d, %d), key %s, action %d (%d, %d)\n", f, r[2], r[0], r[1], key, r[4],
                  r[5], r[6]);
      if (r[2] < 0 || r[2] >= n) return fail("image index out of range");
    }
    return true;
  }

  const std::vector<uint8_t>& b_;
  size_t pos_ = 0;
};

int runClipInfo(const std::vector<std::string>& args) {
  if (args.size() != 1) return zbdata::usageError("clip-info");
  std::vector<uint8_t> bytes;
  if (!readFile(args[0], bytes)) {
    std::fprintf(stderr, "zenbox-data: %s: cannot read\n", args[0].c_str());
    return 1;
  }
  const bool layout = LayoutPrinter(bytes).run();
  OClip clip;
  const bool loads = clip.loadFromMemory(bytes.data(), bytes.size());
  std::printf("loads: %s\n", loads ? "yes" : "no");
  return layout && loads ? 0 : 1;
}

// Frames in rows (one row group per sequence), each cell as large as the
// largest frame plus a margin; transparent pixels (key or alpha) stay
// transparent in the PNG.
class ContactSheet {
public:
  static constexpr int kMargin = 2;
  static constexpr int kMaxWidth = 4096;
  static constexpr int kMaxHeight = 16384;

  bool build(const OClip& clip) {
    std::vector<const OClip*> groups;
    if (clip.sequences.empty())
      groups.push_back(&clip);
    else
      for (const auto& s : clip.sequences) groups.push_back(s.get());
    int cellW = 1, cellH = 1;
    for (const OClip* g : groups)
      for (const auto& img : g->images) {
        cellW = std::max(cellW, img->width() + kMargin);
        cellH = std::max(cellH, img->height() + kMargin);
      }
    const int perRow = std::max(1, kMaxWidth / cellW);
    int rows = 0;
    size_t widest = 1;
    for (const OClip* g : groups) {
      const size_t n = std::max<size_t>(1, g->images.size());
      rows += int((n + perRow - 1) / perRow);
      widest = std::max(widest, std::min(n, size_t(perRow)));
    }
    width_ = int(widest) * cellW + kMargin;
    if (int64_t(rows) * cellH + kMargin > kMaxHeight) return false;
    height_ = rows * cellH + kMargin;
    pixels_.assign(size_t(width_) * size_t(height_) * 4, 0);
    int row = 0;
    for (const OClip* g : groups) {
      for (size_t i = 0; i < g->images.size(); ++i)
        place(*g->images[i], kMargin + int(i % perRow) * cellW, kMargin + (row + int(i / perRow)) * cellH);
      row += int((std::max<size_t>(1, g->images.size()) + perRow - 1) / perRow);
    }
    return true;
  }

  bool save(const std::string& path) const {
    return zb::writePng(path, width_, height_, pixels_.data(), width_ * 4, true);
  }

private:
  void place(const OBitmap& img, int left, int top) {
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x) {
        const uint32_t c = img.pixel(x, y);
        int opacity = 255;
        if (img.hasAlpha())
          opacity = 255 - img.alphaAt(x, y);
        else if (img.colourKey >= 0 && uint32_t(img.colourKey) == c)
          opacity = 0;
        uint8_t* p = &pixels_[(size_t(top + y) * size_t(width_) + size_t(left + x)) * 4];
        p[0] = uint8_t(c), p[1] = uint8_t(c >> 8), p[2] = uint8_t(c >> 16), p[3] = uint8_t(opacity);
      }
  }

  int width_ = 0;
  int height_ = 0;
  std::vector<uint8_t> pixels_;
};

int runClipPng(const std::vector<std::string>& args) {
  if (args.size() != 2) return zbdata::usageError("clip-png");
  OClip clip;
  if (!clip.load(args[0])) {
    std::fprintf(stderr, "zenbox-data: %s: not a loadable clip file\n", args[0].c_str());
    return 1;
  }
  ContactSheet sheet;
  if (!sheet.build(clip)) {
    std::fprintf(stderr, "zenbox-data: %s: too many or too large frames for one sheet\n", args[0].c_str());
    return 1;
  }
  if (!sheet.save(args[1])) {
    std::fprintf(stderr, "zenbox-data: %s: cannot write\n", args[1].c_str());
    return 1;
  }
  return 0;
}

const zbdata::CommandRegistrar infoCommand({"clip-info", "FILE",
                                            "Lists a clip file: header, images with size and kind, sequences "
                                            "and frame records; exit 1 when it does not load.",
                                            runClipInfo});
const zbdata::CommandRegistrar pngCommand({"clip-png", "FILE OUT.png",
                                           "Writes a contact sheet of every frame of every sequence (one row "
                                           "group per sequence; colour key and alpha shown transparent).",
                                           runClipPng});

}  // namespace
