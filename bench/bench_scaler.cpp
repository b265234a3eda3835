// Full screen at 1920x1080: the 800x600 frame scaled 1.8 times into the
// window surface. An idle board changes only the ticker (180 x 30); a new
// screen changes everything. SDL's own linear stretch of the whole frame
// runs beside it as the yardstick (it cannot redraw a part alone: its
// sampling depends on the rectangles it is given).
#include <benchmark/benchmark.h>

#include <SDL.h>

#include <vector>

#include "platform/FrameBuffer.h"
#include "platform/FrameScaler.h"

namespace {

constexpr int kOutW = 1920, kOutH = 1080;

struct Frame {
  Frame() : fb(800, 600) {
    std::vector<uint8_t> rgb(800 * 600 * 3);
    for (size_t i = 0; i < rgb.size(); ++i) rgb[i] = uint8_t(i * 2654435761u >> 13);
    fb.blit(zb::PixelSource{rgb.data(), 800 * 3, 800, 600}, 0, 0, 800, 600, 0, 0);
    scaler.setLayout(800, 600, kOutW, kOutH);
  }
  zb::FrameBuffer fb;
  zb::FrameScaler scaler;
  std::vector<uint32_t> out = std::vector<uint32_t>(size_t(kOutW) * kOutH);
};

void BM_ScaleTickerArea(benchmark::State& state) {
  Frame f;
  const zb::FrameScaler::Rect area = f.scaler.outputArea(zb::FrameBuffer::Rect{610, 555, 790, 585});
  for (auto _ : state) {
    f.scaler.draw(f.fb, area, f.out.data(), kOutW * 4, 0xFF000000u);
    benchmark::DoNotOptimize(f.out.data());
  }
}
BENCHMARK(BM_ScaleTickerArea)->Unit(benchmark::kMicrosecond);

void BM_ScaleWholeFrame(benchmark::State& state) {
  Frame f;
  for (auto _ : state) {
    f.scaler.draw(f.fb, f.scaler.picture(), f.out.data(), kOutW * 4, 0xFF000000u);
    benchmark::DoNotOptimize(f.out.data());
  }
}
BENCHMARK(BM_ScaleWholeFrame)->Unit(benchmark::kMicrosecond);

void BM_SdlStretchLinearWholeFrame(benchmark::State& state) {
  Frame f;
  SDL_Surface* src = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(f.fb.pixels()), 800, 600, 32, 800 * 4,
                                                        SDL_PIXELFORMAT_RGB888);
  SDL_Surface* dst =
      SDL_CreateRGBSurfaceWithFormatFrom(f.out.data(), kOutW, kOutH, 32, kOutW * 4, SDL_PIXELFORMAT_RGB888);
  const zb::FrameScaler::Rect& p = f.scaler.picture();
  SDL_Rect to{p.left, p.top, p.right - p.left, p.bottom - p.top};
  for (auto _ : state) {
    SDL_SoftStretchLinear(src, nullptr, dst, &to);
    benchmark::DoNotOptimize(f.out.data());
  }
  SDL_FreeSurface(dst);
  SDL_FreeSurface(src);
}
BENCHMARK(BM_SdlStretchLinearWholeFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
