// Generating the data pack is part of every build's `make data`; the goal is
// a few seconds for the whole folder.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "tools/data/gen/Blocks.h"
#include "tools/data/gen/DataPack.h"
#include "tools/data/gen/Midi.h"
#include "tools/data/gen/Pictures.h"
#include "tools/data/gen/Synth.h"

namespace {

void BM_GenerateWholePack(benchmark::State& state) {
  std::filesystem::path dir = std::filesystem::temp_directory_path() / "zenbox-bench-datapack";
  for (auto _ : state) {
    zbgen::PackResult r = zbgen::generateDataPack(dir.string());
    if (!r.ok) state.SkipWithError(r.error.c_str());
    benchmark::DoNotOptimize(r.files.size());
  }
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_GenerateWholePack)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_BoardBackground(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(zbgen::mainBackground().images.size());
}
BENCHMARK(BM_BoardBackground)->Unit(benchmark::kMillisecond);

void BM_AllBlocks(benchmark::State& state) {
  for (auto _ : state)
    for (int skin = 0; skin < zbgen::kSkins; ++skin)
      for (int c = 0; c < 6; ++c) benchmark::DoNotOptimize(zbgen::blockPicture(skin, c).width());
}
BENCHMARK(BM_AllBlocks)->Unit(benchmark::kMillisecond);

void BM_SoundEffects(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(zbgen::makeSoundEffects().size());
}
BENCHMARK(BM_SoundEffects)->Unit(benchmark::kMillisecond);

void BM_Music(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(zbgen::makeMusic().size());
}
BENCHMARK(BM_Music)->Unit(benchmark::kMillisecond);

}  // namespace
