// Loading clip files: one 600 x 600 picture stored as an enciphered JPEG
// payload, and a 100-frame raw animation of 64 x 64 frames.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

#include "gfx/ClipWriter.h"
#include "gfx/OClip.h"

namespace {

OBitmap picture(int w, int h, int seed) {
  OBitmap b;
  b.create(w, h, 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const int v = int(127 + 120 * std::sin((x + seed) * 0.05) * std::cos(y * 0.03));
      b.setPixel(x, y, uint32_t(v) << 16 | uint32_t((x ^ y) & 0xFF) << 8 | uint32_t((x + y + seed) & 0xFF));
    }
  return b;
}

std::string benchFile(const char* name) {
  return (std::filesystem::temp_directory_path() / name).string();
}

void LoadJpegClip600(benchmark::State& state) {
  const std::string path = benchFile("zenbox-bench-jpeg600.clp");
  ClipWriter w;
  w.addImage(picture(600, 600, 0), ClipWriter::kJpeg, 85);
  if (!w.save(path)) state.SkipWithError("cannot write the clip");
  for (auto _ : state) {
    OClip clip;
    if (!clip.load(path)) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(clip.images.data());
  }
  std::remove(path.c_str());
}

void LoadRawClip100Frames(benchmark::State& state) {
  const std::string path = benchFile("zenbox-bench-raw100.clp");
  ClipWriter w;
  w.setSharedSection(64 * 100, 64);
  for (int i = 0; i < 100; ++i) {
    w.addImage(picture(64, 64, i));
    w.addFrame(0, {0, 0, i, -1, 0, 0, 0});
  }
  if (!w.save(path)) state.SkipWithError("cannot write the clip");
  for (auto _ : state) {
    OClip clip;
    if (!clip.load(path)) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(clip.images.data());
  }
  std::remove(path.c_str());
}

}  // namespace

BENCHMARK(LoadJpegClip600)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadRawClip100Frames)->Unit(benchmark::kMillisecond);
