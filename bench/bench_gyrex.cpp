// The Gyrex field's searches on a full 12 x 12 field: the hint search (a
// fresh layout, and a field where it must look everywhere and fail), the
// whole-field destroy pass (nothing to destroy, and everything destroyed),
// and the computer player's choice of a move.
#include <benchmark/benchmark.h>

#include "gyrex/RField.h"
#include "gyrex/RFieldPlayer.h"
#include "platform/Random.h"

using namespace SpaceGyrex;

namespace {

RField freshField() {
  zb::seedRandom(17);
  RField f;
  f.rules.colorCount = 3;
  f.rules.maxNear = 2;
  f.rules.startLineCount = 12;
  f.New();
  return f;
}

// Four different colours in every element: no run, nothing to drop, no
// column to close.
RField stuckField() {
  RField f;
  for (int c = 0; c < kColumns; ++c)
    for (int r = 0; r < kRows; ++r)
      for (int s = 0; s < kSegments; ++s) f.SetColour(c, r, s, 1 + (s + 2 * ((c + r) % 2)) % 4);
  return f;
}

void BM_FindHintFresh(benchmark::State& state) {
  RField f = freshField();
  for (auto _ : state) benchmark::DoNotOptimize(f.FindHint());
}
BENCHMARK(BM_FindHintFresh)->Unit(benchmark::kMicrosecond);

void BM_FindHintStuckFull(benchmark::State& state) {
  RField f = stuckField();
  for (auto _ : state) benchmark::DoNotOptimize(f.FindHint());
}
BENCHMARK(BM_FindHintStuckFull)->Unit(benchmark::kMicrosecond);

void BM_DestroyPassNothing(benchmark::State& state) {
  RField f = freshField();
  for (auto _ : state) benchmark::DoNotOptimize(f.DestroyPassAll());
}
BENCHMARK(BM_DestroyPassNothing)->Unit(benchmark::kMicrosecond);

void BM_DestroyPassEverything(benchmark::State& state) {
  RField one;
  for (int c = 0; c < kColumns; ++c)
    for (int r = 0; r < kRows; ++r)
      for (int s = 0; s < kSegments; ++s) one.SetColour(c, r, s, 1);
  for (auto _ : state) {
    RField f = one;
    benchmark::DoNotOptimize(f.DestroyPassAll());
  }
}
BENCHMARK(BM_DestroyPassEverything)->Unit(benchmark::kMicrosecond);

void BM_PlayerChoice(benchmark::State& state) {
  RField f = freshField();
  for (auto _ : state) {
    RMove m;
    benchmark::DoNotOptimize(RFieldPlayer::Choose(f, m));
  }
}
BENCHMARK(BM_PlayerChoice)->Unit(benchmark::kMicrosecond);

}  // namespace
