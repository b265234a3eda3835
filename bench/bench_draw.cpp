// The gfx blits side by side with SDL_BlitSurface doing the nearest
// equivalent, for sprite-sized and screen-sized sources drawn onto an
// 800 x 600 back buffer.
#include <benchmark/benchmark.h>

#include <cmath>

#include "gfx/OBitmap.h"
#include "platform/SdlBlitReference.h"

namespace {

constexpr uint32_t kKey = 0xFF00FF;

// A sprite: a disc of varied colour on the key colour; with alpha, the disc
// has a soft two-pixel edge and the rest is fully transparent.
OBitmap sprite(int size, bool alpha) {
  OBitmap b;
  b.create(size, size, kKey);
  if (alpha) b.createAlpha(255);
  const double c = (size - 1) / 2.0, r = size * 0.45;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const double d = std::hypot(x - c, y - c);
      if (d > r) continue;
      b.setPixel(x, y, uint32_t((x * 7) & 0xFF) << 16 | uint32_t((y * 5) & 0xFF) << 8 | 0x40);
      if (alpha) b.alphaPlane()[y * size + x] = uint8_t(d > r - 2 ? 128 : 0);
    }
  b.colourKey = kKey;
  return b;
}

OBitmap backBuffer() {
  OBitmap b;
  b.create(800, 600, 0x203040);
  return b;
}

template <typename Fn>
void runDraw(benchmark::State& state, Fn&& setup) {
  const int size = int(state.range(0));
  OBitmap src = setup(size);
  OBitmap dst = backBuffer();
  for (auto _ : state) {
    OBitmap::draw(dst, src, 100, 0);
    benchmark::DoNotOptimize(dst.data());
  }
  state.SetItemsProcessed(state.iterations() * int64_t(size) * size);
}

void Keyed(benchmark::State& state) {
  runDraw(state, [](int n) { return sprite(n, false); });
}

void AlphaPlane(benchmark::State& state) {
  runDraw(state, [](int n) { return sprite(n, true); });
}

void Translucent(benchmark::State& state) {
  runDraw(state, [](int n) {
    OBitmap b = sprite(n, false);
    b.blendLevel = 100;
    return b;
  });
}

void Silhouette(benchmark::State& state) {
  runDraw(state, [](int n) {
    OBitmap b = sprite(n, false);
    b.blendLevel = 256;
    return b;
  });
}

void SubPixel(benchmark::State& state) {
  const int size = int(state.range(0));
  OBitmap src = sprite(size, true);
  OBitmap dst = backBuffer();
  for (auto _ : state) {
    OBitmap::drawSubPixel(dst, src, 100.3, 0.6);
    benchmark::DoNotOptimize(dst.data());
  }
  state.SetItemsProcessed(state.iterations() * int64_t(size) * size);
}

zb::SdlBlitReference sdlSource(const OBitmap& b, bool argb) {
  auto rowAt = [&b](int r) { return b.rowAddress(r); };
  if (argb) return zb::SdlBlitReference::fromRowsArgb(b.width(), b.height(), rowAt, b.alphaPlane());
  return zb::SdlBlitReference::fromRows24(b.width(), b.height(), rowAt);
}

void runSdl(benchmark::State& state, bool alpha, bool rle) {
  const int size = int(state.range(0));
  const OBitmap src = sprite(size, alpha);
  const OBitmap back = backBuffer();
  zb::SdlBlitReference s = sdlSource(src, alpha);
  zb::SdlBlitReference d = sdlSource(back, false);
  if (alpha)
    s.setBlended();
  else
    s.setColourKey(kKey, rle);
  s.blitTo(d, 100, 0);  // RLE encoding happens on the first blit
  for (auto _ : state) benchmark::DoNotOptimize(s.blitTo(d, 100, 0));
  state.SetItemsProcessed(state.iterations() * int64_t(size) * size);
}

void SdlKeyed(benchmark::State& state) { runSdl(state, false, false); }
void SdlKeyedRle(benchmark::State& state) { runSdl(state, false, true); }
void SdlAlpha(benchmark::State& state) { runSdl(state, true, false); }

}  // namespace

#define SIZES ->Arg(38)->Arg(64)->Arg(600)
BENCHMARK(Keyed) SIZES;
BENCHMARK(SdlKeyed) SIZES;
BENCHMARK(SdlKeyedRle) SIZES;
BENCHMARK(AlphaPlane) SIZES;
BENCHMARK(SdlAlpha) SIZES;
BENCHMARK(Translucent) SIZES;
BENCHMARK(Silhouette) SIZES;
BENCHMARK(SubPixel) SIZES;
