#include "tools/data/gen/DataPack.h"

#include <cmath>
#include <cstdio>

#include "platform/Files.h"
#include "platform/Random.h"
#include "storage/Container.h"
#include "tools/data/gen/Blocks.h"
#include "tools/data/gen/Help.h"
#include "tools/data/gen/Midi.h"
#include "tools/data/gen/Pictures.h"
#include "tools/data/gen/GyrexDemos.h"
#include "tools/data/gen/Rules.h"
#include "tools/data/gen/Synth.h"

namespace zbgen {
namespace {

std::string fmt(const char* f, int a, int b = 0) {
  char buf[128];
  std::snprintf(buf, sizeof buf, f, a, b);
  return buf;
}

class Writer {
public:
  Writer(std::string dir, PackResult& r) : dir_(std::move(dir)), r_(r) {}

  // Draws the clip only while nothing has failed, then writes it.
  template <class Build>
  bool clip(const std::string& name, Build build) {
    if (!ok()) return false;
    ClipRecipe c = build();
    if (c.images.empty()) return fail(name + ": nothing drawn (is the Liberation Sans font installed?)");
    return done(name, writeClip(dir_ + "/" + name, c));
  }
  bool bytes(const std::string& name, const std::vector<uint8_t>& b) {
    if (!ok()) return false;
    std::string path = dir_ + "/" + name;
    if (!zb::makeParentDirs(path)) return fail(name + ": cannot create its folder");
    FILE* f = std::fopen(path.c_str(), "wb");
    bool ok = f && std::fwrite(b.data(), 1, b.size(), f) == b.size();
    if (f && std::fclose(f) != 0) ok = false;
    return done(name, ok);
  }
  bool container(const std::string& name, const std::string& text, const char* key) {
    if (!ok()) return false;
    std::string path = dir_ + "/" + name;
    if (!zb::makeParentDirs(path)) return fail(name + ": cannot create its folder");
    return done(name, SaveEncryptedText(path, text, key));
  }
  bool ok() const { return r_.error.empty(); }

private:
  bool done(const std::string& name, bool ok) {
    if (!ok) return fail(name + ": could not be written");
    r_.files.push_back(name);
    return true;
  }
  bool fail(const std::string& why) {
    if (r_.error.empty()) r_.error = why;
    return false;
  }
  std::string dir_;
  PackResult& r_;
};

void pictures(Writer& w) {
  const char* fonts[4] = {"clp/alph.clp", "clp/alph2.clp", "clp/alph3.clp", "clp/alph4.clp"};
  for (int i = 0; i < 4; ++i) w.clip(fonts[i], [&] { return letterSet(i); });
  for (int i = 0; i < 6; ++i) w.clip(fmt("clp/bt%d.clp", i), [&] { return controlClip(i); });
  for (int n = 7; n <= 12; ++n) w.clip(fmt("clp/but%d.clp", n), [&] { return panelButton(n); });
  w.clip("clp/lc.clp", [&] { return curtainTile(); });
  w.clip("clp/i1.clp", [&] { return introPicture(); });
  w.clip("clp/jp8.clp", [&] { return mainBackground(); });
  w.clip("clp/jp9.clp", [&] { return sidePanel(); });
  w.clip("clp/clp0.clp", [&] { return pausePicture(); });
  w.clip("clp/clp1.clp", [&] { return panelPicture(); });
  for (int skin = 0; skin < kSkins; ++skin)
    for (int c = 0; c < 6; ++c)
      w.clip(fmt("clp/Sinkra/%d%d.clp", skin, c + 1), [&] { return blockClip(skin, c); });
  for (int k = 0; k < 8; ++k) w.clip(fmt("clp/Sinkra/b%d.clp", k), [&] { return specialClip(k); });
  // Colour removers: cb0 removes colour 2, cb1 colour 0, cb2 colour 1, cb3 colour 3, cb4 colour 4.
  const int removes[5] = {2, 0, 1, 3, 4};
  for (int k = 0; k < 5; ++k) w.clip(fmt("clp/Sinkra/cb%d.clp", k), [&] { return removerClip(removes[k]); });
  w.clip("clp/Sinkra/cm.clp", [&] { return chameleonMarkClip(); });
  w.clip("clp/Sinkra/p1.clp", [&] { return separatorBar(); });
  w.clip("clp/Tessel/gst.clp", [&] { return sparkle(); });
  w.clip("clp/Tessel/bg.clp", [&] { return tesselBackground(); });
  for (int c = 0; c < 6; ++c)
    for (int skin = 0; skin < kSkins; ++skin) {
      w.clip(fmt("clp/Tessel/gbh%d_%d.clp", c, skin), [&] { return tesselBorder(true, c, skin); });
      w.clip(fmt("clp/Tessel/gbv%d_%d.clp", c, skin), [&] { return tesselBorder(false, c, skin); });
    }
  w.clip("clp/Gyrex/bgnet.clp", [&] { return gyrexBackground(); });
  for (int p = 0; p < 4; ++p) w.clip(fmt("clp/Gyrex/bg%d.clp", 7 + p), [&] { return gyrexSegment(p); });
  w.clip("clp/Gyrex/cursor.clp", [&] { return gyrexCursor(); });
}

std::vector<uint8_t> iconBytes(int size) {
  Canvas c = appIcon(size);
  std::vector<uint8_t> rgba;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const Rgba& p = c.at(x, y);
      for (float v : {p.r, p.g, p.b, p.a}) rgba.push_back(static_cast<uint8_t>(std::lround(clamp01(v) * 255)));
    }
  return encodeBmp32(size, size, rgba);
}

}  // namespace

std::vector<uint8_t> encodeBmp32(int width, int height, const std::vector<uint8_t>& rgba) {
  // BITMAPV4HEADER with bit fields, so the alpha channel is named.
  const uint32_t headerSize = 14 + 108, dataSize = static_cast<uint32_t>(width * height * 4);
  std::vector<uint8_t> out;
  auto u16 = [&](uint32_t v) { out.push_back(v & 255), out.push_back((v >> 8) & 255); };
  auto u32 = [&](uint32_t v) { u16(v & 0xFFFF), u16(v >> 16); };
  out.push_back('B'), out.push_back('M');
  u32(headerSize + dataSize), u32(0), u32(headerSize);
  u32(108), u32(static_cast<uint32_t>(width)), u32(static_cast<uint32_t>(height)), u16(1), u16(32), u32(3);
  u32(dataSize), u32(2835), u32(2835), u32(0), u32(0);
  u32(0x00FF0000), u32(0x0000FF00), u32(0x000000FF), u32(0xFF000000);  // R, G, B, A masks
  u32(0x73524742);                                                      // sRGB
  for (int i = 0; i < 12; ++i) u32(0);                                  // end points and gamma
  for (int y = height - 1; y >= 0; --y)  // rows bottom-up
    for (int x = 0; x < width; ++x) {
      const uint8_t* p = &rgba[static_cast<size_t>(y * width + x) * 4];
      out.push_back(p[2]), out.push_back(p[1]), out.push_back(p[0]), out.push_back(p[3]);
    }
  return out;
}

PackResult generateDataPack(const std::string& dir) {
  PackResult r;
  // Nothing here should depend on the shared generator, but pin it so any
  // filler a writer draws is the same on every run.
  uint32_t saved = zb::randomState();
  zb::seedRandom(1);
  Writer w(dir, r);
  pictures(w);
  w.container("cfg/sinkra.cfg", sinkraRulesText(), kSinkraRulesKey);
  w.container("cfg/Gyrex.dat", gyrexRulesText(), kGyrexRulesKey);
  w.container("cfg/Gyx_demo.dat", gyrexDemoText(gyrexRulesText()), kGyrexRulesKey);
  if (w.ok())
    for (const NamedFile& f : makeSoundEffects()) w.bytes(f.path, f.bytes);
  if (w.ok())
    for (const NamedFile& f : makeMusic()) w.bytes(f.path, f.bytes);
  std::vector<std::string> pages = helpPages();
  for (size_t i = 0; i < pages.size(); ++i)
    w.container(fmt("help/help%d.dat", static_cast<int>(i)), pages[i], kHelpKey);
  w.bytes("icon/icon101.bmp", iconBytes(64));
  w.bytes("icon/icon102.bmp", iconBytes(16));
  zb::seedRandom(saved);
  r.ok = w.ok();
  return r;
}

}  // namespace zbgen
